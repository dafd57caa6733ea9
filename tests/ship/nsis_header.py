#!/usr/bin/env python3
"""Prints the script header of an NSIS setup program (its instructions and texts) as text.

makensis /SOLID lzma packs the header with the files in one raw LZMA stream right after the
first header (flags, 0xDEADBEEF, "NullsoftInst", two lengths); the stream begins with the
header's length. Texts are UTF-16 in a Unicode setup; variables show as control characters.
"""
import lzma, struct, sys
data = open(sys.argv[1], 'rb').read()
sig = data.find(b'\xef\xbe\xad\xdeNullsoftInst')
if sig < 4:
    sys.exit(f'{sys.argv[1]}: not an NSIS setup program')
start = sig - 4 + 28
props = data[start:start + 5]
lc, rest = props[0] % 9, props[0] // 9
lp, pb = rest % 5, rest // 5
dict_size = struct.unpack('<I', props[1:5])[0]
d = lzma.LZMADecompressor(format=lzma.FORMAT_RAW, filters=[{'id': lzma.FILTER_LZMA1, 'dict_size': dict_size, 'lc': lc, 'lp': lp, 'pb': pb}])
out = d.decompress(data[start + 5:], max_length=4 + 2_000_000)
size = struct.unpack('<I', out[:4])[0]
header = out[4:4 + (size & 0x7fffffff)]
sys.stdout.write(header.decode('utf-16le', errors='replace'))
