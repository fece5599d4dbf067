// Picture-in-picture: the canvas's own stream played in a video element that
// the browser shows in its small window. The stream carries what the canvas
// shows, so the small window shows what the viewer sees (reduced flashing
// too, turned upright too); the sound stays the page's own and the show's
// clock is still the sound's. While the tab is hidden, the frames are drawn on
// a worker's ticks (frameclock.js). The video mirrors play and pause, and the
// small window's play and pause drive the show.
import { isRunning } from './phase.js';
import { setWatched } from './frameclock.js';

// How long the stream may take to bring a frame to the video.
const kFirstFrameMs = 3000;

export function pipSupported() {
  return Boolean(document.pictureInPictureEnabled && HTMLCanvasElement.prototype.captureStream
    && HTMLVideoElement.prototype.requestPictureInPicture);
}


// `canvas`: the screen's (in the page, or drawn on by the engine's worker).
// `actions`: play(), pause(), say(text), repaint() (shows the frame drawn
// last again: a new frame for the stream). The button is shown only where the browser can.
export function startPip(button, canvas, actions) {
  let video = null;

  // Held, the video shows the frame it held at; when the picture changes while
  // the show is held (the bar dragged, the reduced-flash switch), it plays
  // for one frame of the stream. Its play and pause then are not the viewer's.
  let refreshing = false;
  async function refresh() {
    const shown = video;
    refreshing = true;
    try {
      await actions.repaint();
      await shown.play();
      await new Promise((resolve) => {
        shown.requestVideoFrameCallback(resolve);
        setTimeout(resolve, kFirstFrameMs);
      });
      if (!isRunning()) shown.pause();
    } catch (error) {
      console.warn(`picture-in-picture: ${error.message}`);
    } finally {
      refreshing = false;
    }
  }

  // The video plays while the show runs and holds while it does not; called
  // after every change of state or of the picture held.
  function update() {
    if (!video || refreshing) return;
    if (isRunning() && video.paused) video.play().catch((error) => console.warn(`picture-in-picture: ${error.message}`));
    else if (!isRunning() && !video.paused) video.pause();
    else if (!isRunning()) refresh();
  }

  function left() {
    for (const track of video.srcObject?.getTracks() ?? []) track.stop();
    video.remove();
    video = null;
    setWatched(false);
    button.setAttribute('aria-pressed', 'false');
    // Back where the show is: the page's own window, its control at hand.
    window.focus();
    if (button.offsetParent) button.focus({ preventScroll: true });
  }

  async function enter() {
    video = document.createElement('video');
    Object.assign(video, { muted: true, playsInline: true, className: 'pip-source' });
    video.setAttribute('aria-hidden', 'true');
    video.srcObject = canvas.captureStream();
    document.body.append(video);
    const first = new Promise((resolve, reject) => {
      video.addEventListener('loadedmetadata', resolve, { once: true });
      setTimeout(() => reject(new Error('the picture did not reach the video')), kFirstFrameMs);
    });
    // The frame shown again, unchanged, so that the stream has a first frame at once.
    actions.repaint();
    await Promise.all([video.play(), first]);
    await video.requestPictureInPicture();
    setWatched(true);
    button.setAttribute('aria-pressed', 'true');
    video.addEventListener('leavepictureinpicture', left, { once: true });
    // Only the small window's own buttons drive the show: leaving it may pause the video first.
    const inWindow = () => video && !refreshing && document.pictureInPictureElement === video;
    video.addEventListener('pause', () => { if (inWindow() && isRunning()) actions.pause(); });
    video.addEventListener('play', () => { if (inWindow() && !isRunning()) actions.play(); });
    update();
  }

  async function toggle() {
    if (video && document.pictureInPictureElement === video) {
      await document.exitPictureInPicture();
      return;
    }
    if (video) return;  // on its way in
    try {
      await enter();
    } catch (error) {
      if (video) left();
      actions.say(`No picture-in-picture: ${error.message}`);
    }
  }

  button.hidden = !pipSupported();
  return { update, toggle };
}
