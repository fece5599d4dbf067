// The build this page belongs to, stamped by the site build as the service
// worker is: a worker keeps only its own build's files. With it, the moment
// (ms) the title card's picture shows, the link preview's.
export const build = 'unbuilt';
export const posterTime = 0;
