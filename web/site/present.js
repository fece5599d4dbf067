// Presentation: the engine's RGB565 frame on the canvas, landscape or upright
// (the device's own display), enlarged by the largest whole factor that fits.
import { frameSize, rgba } from './frame.js';
import { params } from './page.js';
import { isReady } from './phase.js';

let upright = false;  // the display is shown upright (the frame turned a quarter)
export const isUpright = () => upright;

// ?portrait and ?landscape force one way; otherwise the screen's shape decides.
function wantUpright() {
  if (params.has('portrait')) return true;
  if (params.has('landscape')) return false;
  return innerHeight > innerWidth;
}

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

  // The largest whole factor that fits the window, in device pixels.
  function fit() {
    const ratio = devicePixelRatio || 1;
    const factor = Math.max(1, Math.floor(Math.min(innerWidth * ratio / canvas.width, innerHeight * ratio / canvas.height)));
    canvas.style.width = `${canvas.width * factor / ratio}px`;
    canvas.style.height = `${canvas.height * factor / ratio}px`;
  }

  // Turning the phone turns the canvas; the frame already drawn is shown again, the show runs on.
  function orient() {
    const wanted = wantUpright();
    if (!image || wanted !== upright) {
      upright = wanted;
      [canvas.width, canvas.height] = upright ? [frameSize.height, frameSize.width] : [frameSize.width, frameSize.height];
      image = context2d.createImageData(canvas.width, canvas.height);
      pixels = new Uint32Array(image.data.buffer);
      if (isReady()) present();
    }
    fit();
  }
  orient();
  addEventListener('resize', orient);
  return { present };
}
