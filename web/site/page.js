// The page itself: what its address asks for (?test, ?embed, ?data=,
// ?portrait...) and its elements. Read when first imported: only the
// modules that run in the page import it.
export const params = new URLSearchParams(location.search);
export const embedded = params.has('embed');
export const $ = (id) => document.getElementById(id);
