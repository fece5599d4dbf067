// The strip's overflow menu. When the strip is narrow (the stylesheet says so
// by setting --overflow: 1 on it), the controls marked data-overflow move, in
// their order, into a menu behind the More button, and back to their places
// when it is wide again; a control added later joins by its attribute. The
// menu keeps the keyboard path: Tab or the arrow keys move through it, Escape
// closes it and gives the focus back to More.

export function startOverflow(strip, more, menu) {
  const places = new Map();  // each marked control -> the mark where it stands in the strip
  let narrow = false;

  const items = () => [...menu.children].filter((control) => !control.hidden && !control.disabled);
  const isOpen = () => more.getAttribute('aria-expanded') === 'true';

  function open(focusFirst) {
    more.setAttribute('aria-expanded', 'true');
    menu.hidden = false;
    if (focusFirst) items()[0]?.focus();
  }
  function close(refocus) {
    if (!isOpen()) return;
    more.setAttribute('aria-expanded', 'false');
    menu.hidden = true;
    if (refocus) more.focus();
  }

  function arrange() {
    for (const control of strip.querySelectorAll('[data-overflow]')) {
      if (places.has(control)) continue;
      const place = document.createComment(control.id || 'overflow');
      control.before(place);
      places.set(control, place);
    }
    narrow = getComputedStyle(strip).getPropertyValue('--overflow').trim() === '1';
    for (const [control, place] of places) {
      if (narrow && control.parentElement !== menu) menu.append(control);
      else if (!narrow && control.parentElement === menu) place.after(control);
    }
    const used = narrow && [...menu.children].some((control) => !control.hidden);
    if (more.hidden === used) more.hidden = !used;  // only a change, or the observer below would see its own
    if (!used) close(false);
  }

  more.addEventListener('click', (event) => {
    event.stopPropagation();
    if (isOpen()) close(false);
    else open(event.detail === 0);  // from the keyboard, the focus goes in
  });
  // The page's own keys (seeking, ending the show) wait while the menu has them.
  const keys = (event) => {
    if (!isOpen()) return;
    const list = items();
    const at = list.indexOf(document.activeElement);
    const step = { ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1 }[event.key];
    if (event.key === 'Escape') close(true);
    else if (step && list.length) list[at < 0 ? (step > 0 ? 0 : list.length - 1) : (at + step + list.length) % list.length].focus();
    else if (event.key === 'Home' || event.key === 'End') list.at(event.key === 'Home' ? 0 : -1)?.focus();
    else return;
    event.preventDefault();
    event.stopPropagation();
  };
  more.addEventListener('keydown', keys);
  menu.addEventListener('keydown', keys);
  // Leaving it, by Tab or by a press elsewhere, closes it.
  menu.addEventListener('focusout', (event) => {
    if (!menu.contains(event.relatedTarget) && event.relatedTarget !== more && event.relatedTarget) close(false);
  });
  addEventListener('pointerdown', (event) => {
    if (!menu.contains(event.target) && !more.contains(event.target)) close(false);
  }, true);

  new ResizeObserver(arrange).observe(strip);
  new MutationObserver(arrange).observe(strip, { subtree: true, childList: true, attributeFilter: ['hidden'] });
  arrange();
}
