// The build this page belongs to, stamped by the site build as the service
// worker is: a worker keeps only its own build's files.
export const build = 'unbuilt';
