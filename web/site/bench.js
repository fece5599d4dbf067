// Renders the whole show on one thread, a frame every 16 ms into one frame
// that is never cleared, and reports frames per second overall and per
// segment. window.vantrelleBench settles with the figures. ?simd=0 or
// ?simd=1 picks the engine's build (engine.js).
import { createEngine, engineBuild, fetchFiles, wantVectors } from './engine.js';
import { makeStage } from './stage.js';

const kStepMs = 16;

async function measure() {
  const params = new URLSearchParams(location.search);
  const vectors = wantVectors(params);
  const { engine } = await createEngine(engineBuild(params));
  const stage = makeStage(engine, document.createElement('canvas'));
  const { segmentStarts, dataNames } = stage.info;
  const files = await fetchFiles(new URL('data/', location.href), dataNames);
  const error = stage.handle({ type: 'load', files, shownAs: 'data/' });
  if (error) throw new Error(error);
  engine._vantrelle_clear();
  const segments = [];
  let frames = 0;
  let seconds = 0;
  for (let s = 0; s < segmentStarts.length - 1; ++s) {
    let slowest = 0;
    let count = 0;
    const started = performance.now();
    for (let t = Math.ceil(segmentStarts[s] / kStepMs) * kStepMs; t < segmentStarts[s + 1]; t += kStepMs, ++count) {
      const before = performance.now();
      engine._vantrelle_draw(t);
      slowest = Math.max(slowest, performance.now() - before);
    }
    const took = (performance.now() - started) / 1000;
    segments.push({ segment: s + 1, framesPerSecond: Math.round(count / took), slowestMs: slowest });
    frames += count;
    seconds += took;
  }
  return { vectors, frames, framesPerSecond: Math.round(frames / seconds), segments };
}

window.vantrelleBench = measure();
window.vantrelleBench.then(({ vectors, frames, framesPerSecond, segments }) => {
  document.getElementById('status').textContent =
    `${frames} frames, ${framesPerSecond} frames per second overall, ${vectors ? 'with' : 'without'} vector code`;
  for (const { segment, framesPerSecond: rate, slowestMs } of segments) {
    document.getElementById('segments').insertAdjacentHTML('beforeend',
      `<tr><td>${segment}</td><td>${rate}</td><td>${slowestMs.toFixed(1)}</td></tr>`);
  }
}, (error) => { document.getElementById('status').textContent = error.message; });
