// Sharing a moment: a link that opens on it, and a still of its frame as the
// render tool's PNG (`vantrelle-render --at T --png DIR --scale 3`) has it.
import { momentHash, momentLabel } from './address.js';
import { frameSize, rgba } from './frame.js';

export const kStillScale = 3;

// The page's own address, opening at `t` ms.
export function linkAt(t) {
  const url = new URL(location.href);
  url.hash = momentHash(t);
  return url.href;
}

export const stillName = (t) => `vantrelle-t${momentLabel(t)}.png`;

// `frame` enlarged by whole pixels into `image`, an ImageData of its size × scale.
export function enlarge(frame, image, scale) {
  const pixels = new Uint32Array(image.data.buffer);
  for (let y = 0; y < image.height; ++y) {
    const row = Math.floor(y / scale) * frameSize.width;
    for (let x = 0; x < image.width; ++x) pixels[y * image.width + x] = rgba[frame[row + Math.floor(x / scale)]];
  }
}

// A PNG of `frame` enlarged by whole pixels.
export async function stillPng(frame, scale = kStillScale) {
  const canvas = document.createElement('canvas');
  [canvas.width, canvas.height] = [frameSize.width * scale, frameSize.height * scale];
  const context2d = canvas.getContext('2d');
  const image = context2d.createImageData(canvas.width, canvas.height);
  enlarge(frame, image, scale);
  context2d.putImageData(image, 0, 0);
  return new Promise((resolve, reject) => canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error('no PNG'))), 'image/png'));
}

// Hands `blob` to the browser as a download called `name`; nothing leaves the device.
export function download(blob, name) {
  const url = URL.createObjectURL(blob);
  const link = Object.assign(document.createElement('a'), { href: url, download: name });
  // Its click is no click on the page, which would play or pause the show.
  link.addEventListener('click', (event) => event.stopPropagation());
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// The system's share sheet, on touch devices that have it and, for files, can
// share that file; on desktops and wherever it is missing, files download and
// links are copied. Nothing is uploaded: the sheet hands the file to an app.
const touch = () => matchMedia('(pointer: coarse)').matches;
export const canShareLinks = () => touch() && typeof navigator.share === 'function';
export const canShareFile = (file) => canShareLinks() && navigator.canShare?.({ files: [file] }) === true;
export const asFile = (blob, name) => new File([blob], name, { type: blob.type });

// Shares `file` with the link for `t`. Resolves to true once handed over, false
// when the viewer closed the sheet; rejects when sharing was refused.
export async function shareFile(file, t) {
  try {
    await navigator.share({ files: [file], url: linkAt(t) });
    return true;
  } catch (error) {
    if (error.name === 'AbortError') return false;
    throw error;
  }
}

// The still for `t` (a PNG blob) through the share sheet where it can go, else downloaded.
export async function shareOrDownload(blob, name, t) {
  const file = asFile(blob, name);
  if (canShareFile(file)) {
    try {
      await shareFile(file, t);
      return;
    } catch (error) {
      console.warn(`sharing ${name}: ${error.message}; downloaded instead`);
    }
  }
  download(blob, name);
}

// Shares the link for `t` through the sheet; without one, copies it as Copy link does.
export async function shareLink(t, say) {
  if (!canShareLinks()) return copyLink(t, say);
  const link = linkAt(t);
  try {
    await navigator.share({ url: link });
  } catch (error) {
    if (error.name !== 'AbortError') return copyLink(t, say);
  }
  return link;
}

// Copies the link for `t`; where the clipboard is refused, `say` shows it to copy by hand.
export async function copyLink(t, say) {
  const link = linkAt(t);
  try {
    await navigator.clipboard.writeText(link);
    say('Link copied.');
  } catch {
    say(`Link to this moment: ${link}`);
  }
  return link;
}
