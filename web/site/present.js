// Presentation: the engine's RGB565 frame on the canvas, landscape or upright
// (the device's own display), in the box fit.js sizes.
import { frameSize, player } from './state.js';

// RGB565 to the canvas's RGBA, widened as the PNG writer does, in one pass.
export const rgba = new Uint32Array(65536);
for (let p = 0; p < 65536; ++p) {
  const r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  rgba[p] = 0xff000000 | (((b << 3) | (b >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((r << 3) | (r >> 2));
}

// fit.js, run before the page is first drawn, decides the way up and the size.
const wantUpright = () => document.documentElement.classList.contains('upright');

export function makeScreen(canvas, frame) {
  const context2d = canvas.getContext('2d');
  let image, pixels;

  // `shown`: the frame drawn, or the same through the reduced-flash filter.
  function present(shown = frame) {
    if (player.upright) {
      // Frame pixel (x, y) at column height - 1 - y, row x.
      const { width, height } = frameSize;
      for (let y = 0, i = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x, ++i) pixels[x * height + height - 1 - y] = rgba[shown[i]];
      }
    } else {
      for (let i = 0; i < shown.length; ++i) pixels[i] = rgba[shown[i]];
    }
    context2d.putImageData(image, 0, 0);
  }

  // Turning the phone turns the canvas; the frame already drawn is shown again, the show runs on.
  function orient() {
    const upright = wantUpright();
    if (!image || upright !== player.upright) {
      player.upright = upright;
      // Set only when it changes: setting clears the canvas, and the title card's picture may be on it.
      const [width, height] = upright ? [frameSize.height, frameSize.width] : [frameSize.width, frameSize.height];
      if (canvas.width !== width) canvas.width = width;
      if (canvas.height !== height) canvas.height = height;
      image = context2d.createImageData(canvas.width, canvas.height);
      pixels = new Uint32Array(image.data.buffer);
      if (player.ready) present();
    }
  }
  orient();
  addEventListener('resize', orient);
  return { present };
}
