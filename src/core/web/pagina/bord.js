'use strict';
// The board follows Zorvak live through a stream of its changes (/live). A page that hears
// nothing for a while says so and connects anew; it then gets the whole game at once.
(function () {
  const stilteMs = 25000;
  let bron = null;
  let laatsteTeken = Date.now();
  let bordVoor = -1;

  const $ = (id) => document.getElementById(id);

  function letter(bal, ballen) {
    if ((ballen !== 75 && ballen !== 90) || bal < 1 || bal > ballen) return '';
    return 'BINGO'[Math.floor((bal - 1) / (ballen / 5))];
  }

  function maakBord(ballen) {
    const bord = $('bord');
    bord.textContent = '';
    for (let n = 1; n <= ballen; ++n) {
      const cel = document.createElement('div');
      cel.className = 'cel';
      cel.id = 'bal-' + n;
      cel.textContent = n;
      bord.appendChild(cel);
    }
    bordVoor = ballen;
  }

  function toon(s) {
    const ballen = s.ballen === 75 ? 75 : 90;
    if (bordVoor !== ballen) maakBord(ballen);
    const getrokken = new Set(s.getrokken);
    for (let n = 1; n <= ballen; ++n) {
      const cel = $('bal-' + n);
      cel.classList.toggle('getrokken', getrokken.has(n));
      cel.classList.toggle('nieuwste', n === s.laatste);
    }
    // Kien rounds are called by the number alone.
    const tekst = (b) => (s.letters ? letter(b, s.ballen) : '') + b;
    $('laatste').textContent = s.laatste ? tekst(s.laatste) : '-';
    if (!s.ballen) {
      $('teller').textContent = 'Nog geen spel begonnen';
      $('spel').textContent = '';
    } else {
      $('teller').textContent = s.aantal === 1 ? '1 bal getrokken' : s.aantal + ' ballen getrokken';
      $('spel').textContent = 'Ronde ' + s.ronde + ' (' + s.ballen + ' ballen)';
    }
    const fase = [s.fase, s.prijs].filter((t) => t).join(' · ');
    $('fase').textContent = fase;
    $('fase').hidden = !fase;
    const vorige = $('vorige');
    vorige.textContent = '';
    for (const b of s.getrokken.slice(-6, -1).reverse()) {
      const li = document.createElement('li');
      li.textContent = tekst(b);
      vorige.appendChild(li);
    }
    document.title = s.laatste ? 'Zorvak - ' + tekst(s.laatste) : 'Zorvak - het bord';
    if (window.zorvakKaarten) window.zorvakKaarten.toon(s);
  }

  function verbonden(ja) {
    $('verbinding').hidden = ja;
    if (ja) laatsteTeken = Date.now();
  }

  function verbind() {
    if (bron) bron.close();
    bron = new EventSource('/live');
    bron.onmessage = (e) => {
      verbonden(true);
      toon(JSON.parse(e.data));
    };
    bron.addEventListener('tik', () => verbonden(true));
    bron.onerror = () => {
      verbonden(false);
      // The browser tries again by itself, unless it gave up.
      if (bron.readyState === EventSource.CLOSED) setTimeout(verbind, 2000);
    };
  }

  setInterval(() => {
    if (Date.now() - laatsteTeken > stilteMs) {
      verbonden(false);
      laatsteTeken = Date.now();
      verbind();
    }
  }, 5000);
  maakBord(75);
  verbind();
})();
