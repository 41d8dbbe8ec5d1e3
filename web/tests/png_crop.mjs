// Cuts a rectangle out of a PNG (8-bit RGB or RGBA, not interlaced, as
// browsers write their screenshots): WebKitGTK's own element screenshot
// leaves parts of the element black, its viewport screenshot does not.
import {crc32, deflateSync, inflateSync} from 'node:zlib';

const signature = Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]);

function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length);
  head.write(type, 4, 'latin1');
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])));
  return Buffer.concat([head, data, crc]);
}

export function cropPng(png, {x, y, width, height}) {
  let header;
  const idat = [];
  for (let at = 8; at < png.length;) {
    const length = png.readUInt32BE(at);
    const type = png.toString('latin1', at + 4, at + 8);
    const data = png.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') header = data;
    else if (type === 'IDAT') idat.push(data);
    at += 12 + length;
  }
  const [w, h] = [header.readUInt32BE(0), header.readUInt32BE(4)];
  const channels = { 2: 3, 6: 4 }[header[9]];
  if (header[8] !== 8 || !channels || header[12] !== 0) throw new Error('an unexpected PNG');
  const raw = inflateSync(Buffer.concat(idat));
  const stride = w * channels;
  const pixels = Buffer.alloc(h * stride);
  // Undoes each row's filter (PNG's five: none, sub, up, average, Paeth).
  for (let row = 0; row < h; ++row) {
    const filter = raw[row * (stride + 1)];
    const line = raw.subarray(row * (stride + 1) + 1, (row + 1) * (stride + 1));
    const out = pixels.subarray(row * stride, (row + 1) * stride);
    const up = row > 0 ? pixels.subarray((row - 1) * stride, row * stride) : Buffer.alloc(stride);
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? out[i - channels] : 0;
      const b = up[i];
      const c = i >= channels ? up[i - channels] : 0;
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
        : Math.abs(p - b) <= Math.abs(p - c)                                                 ? b
                                                                                             : c;
      out[i] = line[i] + [0, a, b, (a + b) >> 1, paeth][filter];
    }
  }
  const [left, top] = [Math.max(0, Math.round(x)), Math.max(0, Math.round(y))];
  const [cw, ch] = [Math.min(Math.round(width), w - left), Math.min(Math.round(height), h - top)];
  const rows = [];
  for (let row = top; row < top + ch; ++row)
    rows.push(Buffer.from([0]), pixels.subarray(row * stride + left * channels, row * stride + (left + cw) * channels));
  const ihdr = Buffer.from(header);
  ihdr.writeUInt32BE(cw, 0);
  ihdr.writeUInt32BE(ch, 4);
  return Buffer.concat(
    [signature, chunk('IHDR', ihdr), chunk('IDAT', deflateSync(Buffer.concat(rows))), chunk('IEND', Buffer.alloc(0))]);
}
