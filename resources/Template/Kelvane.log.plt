<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="windows-1252">
<title>Kelvane log</title>
<style>
  body { font-family: Tahoma, Verdana, Arial, sans-serif; background: #eef1f5; color: #1c2733; margin: 24px; }
  .entry { max-width: 640px; margin: 0 auto 28px auto; background: #ffffff; border: 1px solid #c5cfdb;
           border-radius: 6px; box-shadow: 0 1px 3px rgba(0, 0, 0, 0.12); }
  .entry h1 { margin: 0; padding: 12px 16px; font-size: 18px; color: #ffffff; background: #27466b;
              border-radius: 6px 6px 0 0; }
  .times { padding: 8px 16px; font-size: 13px; color: #44546a; border-bottom: 1px solid #dde3ea; }
  .times span { display: block; }
  table { width: 100%; border-collapse: collapse; font-size: 14px; }
  th { text-align: right; padding: 6px 16px; background: #f4f6f9; color: #44546a; font-weight: normal; }
  th.sensor, td.sensor { text-align: left; }
  td { text-align: right; padding: 5px 16px; border-top: 1px solid #edf0f4; font-variant-numeric: tabular-nums; }
  td.now { font-weight: bold; }
  tr.group td { background: #f9fafc; color: #6b7a8c; font-size: 12px; text-align: left; padding: 4px 16px; }
  .low { color: #1f5fa8; }
  .high { color: #b0281f; }
</style>
</head>
<body>
<div class="entry">
<h1>Kelvane: PC Probe readings</h1>
<div class="times">
<span>Last Update</span>
<span>Started</span>
<span>Date-Time</span>
</div>
<table>
<tr><th class="sensor">Sensor</th><th>Current</th><th>Average</th><th>Low</th><th>High</th></tr>
<tr class="group"><td colspan="5">Temperatures</td></tr>
<tr><td class="sensor">CPU</td><td class="now">*1*</td><td>*2*</td><td class="low">*3*</td><td class="high">*4*</td></tr>
<tr><td class="sensor">Motherboard</td><td class="now">*5*</td><td>*6*</td><td class="low">*7*</td><td class="high">*8*</td></tr>
<tr class="group"><td colspan="5">Fans (rpm)</td></tr>
<tr><td class="sensor">CPU fan</td><td class="now">*9*</td><td>*10*</td><td class="low">*11*</td><td class="high">*12*</td></tr>
<tr><td class="sensor">Power supply fan</td><td class="now">*13*</td><td>*14*</td><td class="low">*15*</td><td class="high">*16*</td></tr>
<tr><td class="sensor">Chassis fan</td><td class="now">*17*</td><td>*18*</td><td class="low">*19*</td><td class="high">*20*</td></tr>
<tr class="group"><td colspan="5">Voltages (V)</td></tr>
<tr><td class="sensor">+12V</td><td class="now">*21*</td><td>*22*</td><td class="low">*23*</td><td class="high">*24*</td></tr>
<tr><td class="sensor">+5V</td><td class="now">*25*</td><td>*26*</td><td class="low">*27*</td><td class="high">*28*</td></tr>
<tr><td class="sensor">+3.3V</td><td class="now">*29*</td><td>*30*</td><td class="low">*31*</td><td class="high">*32*</td></tr>
<tr><td class="sensor">CPU core</td><td class="now">*33*</td><td>*34*</td><td class="low">*35*</td><td class="high">*36*</td></tr>
</table>
</div>
</body>
</html>
