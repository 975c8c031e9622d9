// Reading PNG files into pixels, for comparing the browser's screenshots with the program's
// exports: 8-bit RGB or RGBA, not interlaced, which is what both of them write.
import zlib from 'node:zlib';

const Signature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

function paeth(a, b, c) {
    const p = a + b - c;
    const pa = Math.abs(p - a);
    const pb = Math.abs(p - b);
    const pc = Math.abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

function readChunks(buffer) {
    if (!buffer.subarray(0, 8).equals(Signature)) throw new Error('not a PNG file');
    const header = {};
    const data = [];
    for (let offset = 8; offset < buffer.length;) {
        const length = buffer.readUInt32BE(offset);
        const type = buffer.toString('latin1', offset + 4, offset + 8);
        const chunk = buffer.subarray(offset + 8, offset + 8 + length);
        if (type === 'IHDR') {
            Object.assign(header, { width: chunk.readUInt32BE(0), height: chunk.readUInt32BE(4),
                depth: chunk[8], colorType: chunk[9], interlace: chunk[12] });
        } else if (type === 'IDAT') {
            data.push(chunk);
        } else if (type === 'IEND') {
            break;
        }
        offset += 12 + length;
    }
    return { header, data: zlib.inflateSync(Buffer.concat(data)) };
}

/// The image's pixels; at(x, y) gives a pixel as 0xRRGGBB (alpha dropped).
export function decodePng(buffer) {
    const { header, data } = readChunks(buffer);
    const { width, height, depth, colorType, interlace } = header;
    if (depth !== 8 || interlace !== 0 || (colorType !== 2 && colorType !== 6))
        throw new Error(`unsupported PNG: depth ${depth}, color type ${colorType}, interlace ${interlace}`);
    const channels = colorType === 6 ? 4 : 3;
    const stride = width * channels;
    const rgb = new Uint32Array(width * height);
    let above = Buffer.alloc(stride);
    for (let y = 0; y < height; y++) {
        const start = y * (stride + 1);
        const filter = data[start];
        const line = Buffer.from(data.subarray(start + 1, start + 1 + stride));
        for (let i = 0; i < stride; i++) {
            const a = i >= channels ? line[i - channels] : 0;
            const b = above[i];
            const c = i >= channels ? above[i - channels] : 0;
            const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
            if (predictor === undefined) throw new Error(`bad PNG filter ${filter} in row ${y}`);
            line[i] = (line[i] + predictor) & 0xff;
        }
        for (let x = 0; x < width; x++) {
            const p = x * channels;
            rgb[y * width + x] = (line[p] << 16) | (line[p + 1] << 8) | line[p + 2];
        }
        above = line;
    }
    return { width, height, at: (x, y) => rgb[y * width + x] };
}
