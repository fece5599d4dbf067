// The picture's box, sized before the page is first drawn so that nothing
// moves when the title card's picture, the engine or the first frame arrive:
// upright when the window is taller than wide (?portrait and ?landscape force
// one way), enlarged by the largest whole factor that fits, in device pixels.
// A plain script right after the canvas, not a module: modules wait for the
// whole page, which the browser may draw while it waits for this. Sets the
// classes `fitted` and `upright` and --screen-width/--screen-height on the
// root; the canvas's markup gives the frame's size.
// Until the engine has drawn, a canvas of its own over the engine's (#poster,
// hidden by the page once the engine's frame is up) shows the title card's
// picture (the poster's frame, drawn by the site build both ways up), pixel
// for pixel; the engine's canvas is left without a context, for a worker to draw on.
(() => {
  const root = document.documentElement;
  const canvas = document.getElementById('poster');
  const [width, height] = [canvas.width, canvas.height];
  const asked = new URLSearchParams(location.search);
  const pictures = new Map();
  const waiting = () => !canvas.hidden;

  function showPicture(name, across, down) {
    if (!pictures.has(name)) pictures.set(name, Object.assign(new Image(), { src: name }));
    const picture = pictures.get(name);
    picture.decode().then(() => {
      if (canvas.width !== across || canvas.height !== down || !waiting()) return;
      canvas.getContext('2d').drawImage(picture, 0, 0);
      if (!performance.getEntriesByName('poster').length) performance.mark('poster');
    }, () => {});  // without it the card shows black until the engine draws
  }

  function fit() {
    const upright = asked.has('portrait') || (!asked.has('landscape') && innerHeight > innerWidth);
    const [across, down] = upright ? [height, width] : [width, height];
    const ratio = devicePixelRatio || 1;
    const factor = Math.max(1, Math.floor(Math.min(innerWidth * ratio / across, innerHeight * ratio / down)));
    root.classList.toggle('upright', upright);
    root.style.setProperty('--screen-width', `${across * factor / ratio}px`);
    root.style.setProperty('--screen-height', `${down * factor / ratio}px`);
    if (waiting()) {
      if (canvas.width !== across) canvas.width = across;
      if (canvas.height !== down) canvas.height = down;
      showPicture(upright ? 'card-upright.png' : 'card.png', across, down);
    }
  }
  fit();
  root.classList.add('fitted');
  addEventListener('resize', fit);
})();
