// The engine's side of the show: it loads data, draws frames and shows them
// on a canvas, one request at a time from show.js. The same code runs in the
// engine's worker (engine-worker.js), on the OffscreenCanvas the page handed
// over, and in the page itself where a browser cannot run it there, on the
// page's own canvas. No DOM here.
import { loadData } from './engine.js';
import { frameSize, rgba, setFrameSize } from './frame.js';
import { unpack, unzip } from './pack.js';

// What the page asks once the engine is open: the frame's size, where each
// segment starts then the show's end (ms), the data files the engine reads,
// and the vertical clip's layout (width, height, scale, left, top).
function describe(engine) {
  const dataNames = [];
  for (let i = 0, name; (name = engine.UTF8ToString(engine._vantrelle_data_file(i))); ++i) dataNames.push(name);
  return {
    width: engine._vantrelle_frame_width(),
    height: engine._vantrelle_frame_height(),
    segmentStarts: Array.from({ length: engine._vantrelle_segment_count() + 1 }, (_, i) => engine._vantrelle_segment_start(i)),
    dataNames,
    verticalLayout: [0, 1, 2, 3, 4].map((i) => engine._vantrelle_vertical_layout(i)),
  };
}

// `engine` open, `canvas` an HTMLCanvasElement or OffscreenCanvas of the
// page's screen, `context2d` its 2D context (Firefox gives an OffscreenCanvas
// handed to a worker its context once only).
export function makeStage(engine, canvas, context2d = canvas.getContext('2d')) {
  const info = describe(engine);
  setFrameSize(info.width, info.height);
  const pixelCount = info.width * info.height;
  // The engine's memory never grows, so these views stay valid.
  const frame = new Uint16Array(engine.HEAPU8.buffer, engine._vantrelle_frame(), pixelCount);
  const reduced = new Uint16Array(engine.HEAPU8.buffer, engine._vantrelle_reduced_frame(), pixelCount);
  let upright = false;
  let image = null;
  let pixels = null;
  let shown = null;  // { t, reduce } of the frame on the canvas; null before the first
  let painted = 0;  // frames put on the canvas so far

  // The frame drawn for `t`, as the viewer sees it: through the reduced-flash filter when `reduce`.
  const seen = (t, reduce) => {
    if (!reduce) return frame;
    engine._vantrelle_reduce(t);
    return reduced;
  };

  function paint(t, reduce) {
    const picture = seen(t, reduce);
    if (upright) {
      // Frame pixel (x, y) at column height - 1 - y, row x.
      const { width, height } = frameSize;
      for (let y = 0, i = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x, ++i) pixels[x * height + height - 1 - y] = rgba[picture[i]];
      }
    } else {
      for (let i = 0; i < pixelCount; ++i) pixels[i] = rgba[picture[i]];
    }
    context2d.putImageData(image, 0, 0);
    shown = { t, reduce };
    ++painted;
  }

  // Turning the canvas clears it: the frame already drawn is shown again.
  function orient(wanted) {
    if (image && wanted === upright) return;
    upright = wanted;
    const [width, height] = upright ? [info.height, info.width] : [info.width, info.height];
    if (canvas.width !== width) canvas.width = width;
    if (canvas.height !== height) canvas.height = height;
    image = context2d.createImageData(width, height);
    pixels = new Uint32Array(image.data.buffer);
    if (shown) paint(shown.t, shown.reduce);
  }
  orient(false);

  // Loads are numbered: each goes into a folder of its own.
  let loads = 0;
  // Kept while a clip is made: the frame the show had drawn, put back after.
  let kept = null;

  // Each request by its `type`; the others of its fields are its arguments.
  const requests = {
    // `files` maps names such as 'gfx/facea.pal' to bytes. Returns "" or the
    // data error, naming files from `shownAs`, the folder as the person knows it.
    load({ files, shownAs }) {
      const directory = `/data${++loads}`;
      const error = loadData(engine, info.dataNames, files, directory);
      return error.replaceAll(`${directory}/`, shownAs).replace(`${directory}:`, `${shownAs || './'}:`);
    },
    // The data pack as downloaded (`bytes`), unzipped (unless `plain` holds it
    // unzipped already), checked whole and loaded. Resolves to "" or why it
    // is unfit to use or the data error: the plain files serve then.
    async loadPack({ bytes, plain = null, shownAs }) {
      let files;
      try {
        files = unpack(plain ?? await unzip(bytes), info.dataNames);
      } catch (error) {
        return error.message;
      }
      return requests.load({ files, shownAs });
    },
    // The flash map's text: "" when it was made from the data loaded, else why the whole show is reduced instead.
    flashMap: ({ text, shownAs }) => engine.ccall('vantrelle_flash_map', 'string', ['string', 'string'], [text, shownAs]),
    // Where the show flashes, [from, to) ms, as the followed map says; none when the whole show is reduced.
    flashStretches: () => (!engine._vantrelle_flash_map_followed() ? []
      : Array.from({ length: engine._vantrelle_flash_stretch_count() },
        (_, i) => ({ from: engine._vantrelle_flash_stretch_from(i), to: engine._vantrelle_flash_stretch_to(i) }))),
    orient: ({ upright: wanted }) => orient(wanted),
    // Black, for a show that starts: its frames are drawn one over another.
    clear: () => engine._vantrelle_clear(),
    // Draws `t` (over black when `clear`) and shows it; returns 0 past the show's end, where nothing is shown.
    draw({ t, clear = false, reduce = false }) {
      if (clear) engine._vantrelle_clear();
      const drawing = engine._vantrelle_draw(t);
      if (drawing) paint(t, reduce);
      return drawing;
    },
    // The frame drawn last, shown again (through the filter or not).
    repaint({ reduce = shown?.reduce ?? false }) {
      if (shown) paint(shown.t, reduce);
    },
    // The frame for `t` alone over black, as the render tool draws a listed
    // time (through the filter when `reduce`), as RGB565 bytes; the frame of
    // the show is put back, so a show that is playing goes on as it was.
    frameAlone({ t, reduce = false }) {
      const drawn = frame.slice();
      engine._vantrelle_clear();
      engine._vantrelle_draw(t);
      const alone = seen(t, reduce).slice();
      frame.set(drawn);
      return new Uint8Array(alone.buffer);
    },
    // A clip's frames: one buffer from black, never cleared, as the render
    // tool draws a range; each frame as the viewer would see it, upright or
    // not, as RGB565 bytes. The show's frame is put back once it ends.
    clipStart() {
      kept ??= frame.slice();
      engine._vantrelle_clear();
    },
    clipFrame({ t, reduce = false, upright: turned = false }) {
      engine._vantrelle_draw(t);
      const picture = seen(t, reduce);
      const out = turned ? new Uint16Array(engine.HEAPU8.buffer, engine._vantrelle_upright(picture.byteOffset), pixelCount) : picture;
      return new Uint8Array(out.slice().buffer);
    },
    clipEnd() {
      if (kept) frame.set(kept);
      kept = null;
    },
    // A start-up table's bytes, by index; none past the last.
    table: ({ index }) => new Uint8Array(engine.HEAPU8.buffer, engine._vantrelle_table(index), engine._vantrelle_table_bytes(index)).slice(),
    // What this side has downloaded: address, start and end, in ms of the
    // clock's origin (performance.timeOrigin + startTime).
    downloads: () => performance.getEntriesByType('resource')
      .map(({ name, startTime, responseEnd }) => ({ name, start: performance.timeOrigin + startTime, end: performance.timeOrigin + responseEnd })),
    // How many frames have been put on the canvas.
    painted: () => painted,
    // What the canvas shows, as RGBA bytes.
    pixels: () => new Uint8Array(context2d.getImageData(0, 0, canvas.width, canvas.height).data.buffer),
  };

  // Answers `request` (or resolves to the answer); throws on a type it does not know.
  function handle({ type, ...args }) {
    if (!Object.hasOwn(requests, type)) throw new Error(`no request ${type}`);
    return requests[type](args);
  }
  return { info, handle };
}
