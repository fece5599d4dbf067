// Makes the flash map of a data set that came without its own, away from the
// page: an engine of its own (the build the page runs), the same data files,
// and the same passes the render tool runs for --flash-map, a few frames at a
// time so that progress can be told. The page ends the worker to abandon it.
//   in:  { module, names, files }  the engine build, its data file names, name -> bytes
//        (or `pack`, the data pack as downloaded, in place of `files`)
//   out: { progress } (0 .. 1) now and then, then { map } (its text) or { error }
import { createEngine, loadData } from './engine.js';
import { unpack, unzip } from './pack.js';

const kFramesPerStep = 120;  // between progress messages: about 0.1 s of work

addEventListener('message', async ({ data: { module, names, files, pack } }) => {
  try {
    const { engine } = await createEngine(module);
    const error = loadData(engine, names, files ?? unpack(await unzip(pack), names), '/data');
    if (error) throw new Error(error);
    if (!engine._vantrelle_make_flash_map()) throw new Error('the data set has no fingerprint');
    let told = -1;
    while (engine._vantrelle_make_flash_map_step(kFramesPerStep)) {
      const progress = engine._vantrelle_make_flash_map_progress();
      if (progress !== told) postMessage({ progress: (told = progress) / 1000 });
    }
    postMessage({ map: engine.UTF8ToString(engine._vantrelle_made_flash_map()) });
  } catch (error) {
    postMessage({ error: error.message });
  }
});
