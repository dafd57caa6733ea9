<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="windows-1252">
<title>Kelvane High/Low/Avg report</title>
<style>
  body { font-family: Tahoma, Verdana, Arial, sans-serif; background: #eef1f5; color: #1c2733; margin: 24px; }
  .report { max-width: 680px; margin: 0 auto; background: #ffffff; border: 1px solid #c5cfdb;
            border-radius: 6px; box-shadow: 0 1px 3px rgba(0, 0, 0, 0.12); }
  .report h1 { margin: 0; padding: 12px 16px; font-size: 18px; color: #ffffff; background: #1f5e5e;
               border-radius: 6px 6px 0 0; }
  .period { padding: 8px 16px; font-size: 13px; color: #44546a; border-bottom: 1px solid #dde3ea; }
  .period span { display: block; white-space: pre; }
  table { width: 100%; border-collapse: collapse; font-size: 14px; }
  th { text-align: right; padding: 6px 16px; background: #f4f6f9; color: #44546a; font-weight: normal; }
  th.sensor, td.sensor { text-align: left; }
  td { text-align: right; padding: 5px 16px; border-top: 1px solid #edf0f4; font-variant-numeric: tabular-nums; }
  td.now { font-weight: bold; }
  tr.group td { background: #f9fafc; color: #6b7a8c; font-size: 12px; text-align: left; padding: 4px 16px; }
  .low { color: #1f5fa8; }
  .high { color: #b0281f; }
  .foot { padding: 8px 16px; font-size: 11px; color: #8a96a6; border-top: 1px solid #dde3ea; }
</style>
</head>
<body>
<div class="report">
<h1>Kelvane: High, low and average readings</h1>
<div class="period">
<span>Period:Started</span>
<span>Date-Time</span>
</div>
<table>
<tr><th class="sensor">Sensor</th><th>Current</th><th>Average</th><th>Lowest</th><th>Highest</th></tr>
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
<div class="foot">Averages, lows and highs count every second since the statistics were last reset.</div>
</div>
</body>
</html>
