// The engine's frame: its size, as the engine gives it once open, and its
// RGB565 pixels as the canvas's RGBA. No browser API here.

// In pixels and RGB565 bytes.
export const frameSize = { width: 0, height: 0, bytes: 0 };
export function setFrameSize(width, height) {
  Object.assign(frameSize, { width, height, bytes: 2 * width * height });
}

// RGB565 to the canvas's RGBA, widened as the PNG writer does, in one pass.
export const rgba = new Uint32Array(65536);
for (let p = 0; p < 65536; ++p) {
  const r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  rgba[p] = 0xff000000 | (((b << 3) | (b >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((r << 3) | (r >> 2));
}
