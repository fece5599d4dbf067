// Presentation: the engine shows its frame on the screen's canvas (stage.js),
// landscape or upright (the device's own display), in the box fit.js sizes;
// here the page tells it which way up.
let upright = false;  // the display is shown upright (the frame turned a quarter)
export const isUpright = () => upright;

// fit.js, run before the page is first drawn, decides the way up and the size.
const wantUpright = () => document.documentElement.classList.contains('upright');

// `call`: the engine's requests (show.js). Turning the phone turns the
// canvas; the frame already drawn is shown again, the show runs on.
export function followOrientation(call) {
  const orient = () => {
    if (wantUpright() === upright) return;
    upright = wantUpright();
    call('orient', { upright });
  };
  orient();
  addEventListener('resize', orient);
}
