// The frame clock of a hidden tab: a worker's timer, which the browser does
// not hold back as it does the page's own. Told a period in ms, it ticks;
// told 0, it stops.
let timer = 0;
onmessage = ({ data }) => {
  clearInterval(timer);
  timer = data > 0 ? setInterval(() => postMessage(0), data) : 0;
};
