// The bar under a watched replay (a link, a dropped file, ?input=): pause and go on, one tick on,
// the speed, a slider that seeks, the tick and the score as it plays, the take-over, and the
// verdict line. The program holds every rule of watching; this shows what its calls say and
// hands them the clicks. Shown while the program says the replay is watched: the player's own key
// or the take-over ends that, and the bar goes.
'use strict';

// program: the page's program; refit(): lays the page out again (the bar's room changed);
// focusGame(): gives the keyboard back to the game after a click; seekMs: where each seek's
// duration goes, for the measurements.
window.kxWatchBar = (program, refit, focusGame, seekMs) => {
  const M = program;
  const $ = (id) => document.getElementById(id);
  const bar = $('watch'), pause = $('watch-pause'), step = $('watch-step'), speed = $('watch-speed');
  const slider = $('watch-seek'), at = $('watch-at'), takeOver = $('take-over'), verdict = $('verdict');
  let shown = false;
  let end = 0;
  let dragging = false;  // the slider is the player's while held: the frames leave it alone

  // The speeds are the program's: their labels until one repeats (the call clamps its index).
  for (let i = 0; ; ++i) {
    const label = M.UTF8ToString(M._kx_watch_speed_label(i));
    if ([...speed.options].some((option) => option.text === label)) break;
    speed.add(new Option(label, String(i)));
  }

  const setText = (element, text) => { if (element.textContent !== text) element.textContent = text; };

  pause.addEventListener('click', () => {
    M._kx_watch_pause(M._kx_watch_paused() ? 0 : 1, performance.now());
    focusGame();
  });
  step.addEventListener('click', () => {
    M._kx_watch_step(performance.now());
    focusGame();
  });
  speed.addEventListener('change', () => {
    M._kx_set_watch_speed(Number(speed.value), performance.now());
    focusGame();
  });
  slider.addEventListener('input', () => {
    dragging = true;
    const started = performance.now();
    M._kx_watch_seek(Number(slider.value), started);
    seekMs.push(performance.now() - started);
  });
  slider.addEventListener('change', () => {
    dragging = false;
    focusGame();
  });
  takeOver.addEventListener('click', () => {
    M._kx_take_over(performance.now());
    focusGame();
  });

  // Where the watched game ends and what it comes to: the first asks play it through once.
  function show(watching) {
    shown = watching;
    bar.hidden = !watching;
    if (watching) {
      end = M._kx_watch_end();
      slider.max = String(end);
      verdict.textContent = M.UTF8ToString(M._kx_verdict());
    }
    refit();
  }

  return {
    // A new game: a replay again is shown afresh (its end and verdict are its own).
    restart() {
      shown = null;
    },
    // Each animation frame: the bar follows the program.
    update() {
      const watching = M._kx_watching() === 1;
      if (watching !== shown) show(watching);
      if (!watching) return;
      setText(pause, M._kx_watch_paused() ? 'Go on' : 'Pause');
      const chosen = String(M._kx_watch_speed());
      if (speed.value !== chosen) speed.value = chosen;
      const tick = M._kx_game_ticks();
      if (!dragging && slider.value !== String(tick)) slider.value = String(tick);
      setText(at, `tick ${tick} of ${end} · score ${M._kx_score()}`);
    },
  };
};
