// Presentation: the engine's RGB565 frame on the canvas, landscape or upright
// (the device's own display), in the box fit.js sizes.
import { frameSize, rgba } from './frame.js';
import { isReady } from './phase.js';

let upright = false;  // the display is shown upright (the frame turned a quarter)
export const isUpright = () => upright;

// fit.js, run before the page is first drawn, decides the way up and the size.
const wantUpright = () => document.documentElement.classList.contains('upright');

export function makeScreen(canvas, frame) {
  const context2d = canvas.getContext('2d');
  let image, pixels;

  // `shown`: the frame drawn, or the same through the reduced-flash filter.
  function present(shown = frame) {
    if (upright) {
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
    const wanted = wantUpright();
    if (!image || wanted !== upright) {
      upright = wanted;
      // Set only when it changes: setting clears the canvas, and the title card's picture may be on it.
      const [width, height] = upright ? [frameSize.height, frameSize.width] : [frameSize.width, frameSize.height];
      if (canvas.width !== width) canvas.width = width;
      if (canvas.height !== height) canvas.height = height;
      image = context2d.createImageData(canvas.width, canvas.height);
      pixels = new Uint32Array(image.data.buffer);
      if (isReady()) present();
    }
  }
  orient();
  addEventListener('resize', orient);
  return { present };
}
