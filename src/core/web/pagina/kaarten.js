'use strict';
// "Mijn kaarten": the cards a player holds on paper, followed on the phone. The player types a
// card's number; the card comes once from /kaart/<nummer>.json and is marked from then on with
// every change of the game that the board hears (zorvakKaarten.toon). Under each card: what it
// still needs for the stage played for, or that it is complete. The numbers typed stay in the
// browser's own storage until the player removes them or another evening begins.
window.zorvakKaarten = (function () {
  const sleutel = 'zorvak-kaarten';
  const meeste = 12;
  const $ = (id) => document.getElementById(id);
  const gevolgd = new Map(); // number -> the card on the page
  let stand = null;
  let bewaard = lees();

  function lees() {
    try {
      const b = JSON.parse(localStorage.getItem(sleutel) || 'null');
      if (b && Array.isArray(b.nummers)) {
        const nummers = b.nummers.filter((n) => typeof n === 'string' && n.length <= 20).slice(0, meeste);
        return { avond: typeof b.avond === 'string' ? b.avond : null, nummers: nummers };
      }
    } catch (e) {
      // Nothing kept, or nothing readable: the page starts without cards.
    }
    return { avond: null, nummers: [] };
  }

  function bewaar() {
    try {
      localStorage.setItem(sleutel, JSON.stringify(bewaard));
    } catch (e) {
      // A browser that keeps nothing (a private window): the cards last as long as the page.
    }
  }

  function meld(tekst) {
    const m = $('mijn-melding');
    m.textContent = tekst || '';
    m.hidden = !tekst;
  }

  function uitleg() {
    $('mijn-uitleg').hidden = gevolgd.size > 0;
  }

  // The card, or a refusal {status, fout, wacht} with the server's reason.
  async function haal(nummer) {
    let r;
    try {
      r = await fetch('/kaart/' + encodeURIComponent(nummer) + '.json', { cache: 'no-store' });
    } catch (e) {
      throw { status: 0, fout: 'Geen verbinding met Zorvak. Probeer het zo weer.', wacht: 5 };
    }
    let inhoud = null;
    try {
      inhoud = await r.json();
    } catch (e) {
      inhoud = null;
    }
    if (!r.ok || !inhoud || !Array.isArray(inhoud.getallen)) {
      throw {
        status: r.status,
        fout: (inhoud && inhoud.fout) || 'De kaart kon niet worden opgehaald.',
        wacht: Number(r.headers.get('Retry-After')) || 0,
      };
    }
    return inhoud;
  }

  function element(soort, klasse, tekst) {
    const e = document.createElement(soort);
    if (klasse) e.className = klasse;
    if (tekst !== undefined) e.textContent = tekst;
    return e;
  }

  // The card as it was printed: Bingo 5 x 5 under B I N G O with FREE in the middle, Kien 3 x 9.
  function maakKaart(kaart) {
    const kien = kaart.getallen.length === 27;
    const vak = element('article', 'kaart');
    vak.dataset.nummer = kaart.nummer;
    const kop = element('div', 'kaart-kop');
    kop.append(element('h3', '', 'Kaart ' + kaart.nummer), wegKnop(kaart.nummer));
    const rooster = element('div', 'rooster ' + (kien ? 'kien' : 'bingo'));
    rooster.setAttribute('role', 'img');
    if (!kien) for (const l of 'BINGO') rooster.appendChild(element('div', 'letter', l));
    const cellen = kaart.getallen.map((n, i) => {
      const cel = element('div', 'cel');
      if (n > 0) cel.textContent = n;
      else if (!kien && i === 12) {
        cel.textContent = 'FREE';
        cel.classList.add('free');
      } else cel.classList.add('leeg');
      rooster.appendChild(cel);
      return cel;
    });
    const compleet = element('p', 'compleet');
    compleet.hidden = true;
    const regel = element('p', 'regel');
    regel.setAttribute('aria-live', 'polite');
    vak.append(kop, rooster, compleet, regel);
    return { kaart: kaart, kien: kien, vak: vak, rooster: rooster, cellen: cellen, compleet: compleet, regel: regel };
  }

  // How many numbers the card still needs for a stage: the fewest of any of its figures.
  function nodig(getallen, getrokken, doel) {
    let minst = Infinity;
    for (const figuur of doel.figuren) {
      let open = 0;
      for (const i of figuur) if (getallen[i] > 0 && !getrokken.has(getallen[i])) ++open;
      minst = Math.min(minst, open);
    }
    return minst;
  }

  function markeer(k) {
    const s = stand;
    const getrokken = new Set(s ? s.getrokken : []);
    const laatste = s ? s.laatste : null;
    let gemarkeerd = 0;
    k.kaart.getallen.forEach((n, i) => {
      const ja = n > 0 && getrokken.has(n);
      k.cellen[i].classList.toggle('getrokken', ja);
      k.cellen[i].classList.toggle('nieuwste', ja && n === laatste);
      if (ja) ++gemarkeerd;
    });
    k.rooster.setAttribute('aria-label', 'Kaart ' + k.kaart.nummer + ': ' + gemarkeerd + ' getallen getrokken');
    let compleet = '';
    let regel = '';
    if (s && s.spelsoort && Array.isArray(s.spelsoort.kaarten) && !s.spelsoort.kaarten.includes(k.kaart.soort)) {
      // A card of another game is never said to be complete.
      regel = 'Kaart ' + k.kaart.nummer + ' is ' + k.kaart.naam + '; er wordt nu ' + s.spelsoort.naam + ' gespeeld.';
      k.vak.classList.add('ander');
    } else {
      k.vak.classList.remove('ander');
      const doelen = (s && s.doelen && s.doelen[k.kien ? 'kien' : 'bingo']) || [];
      let i = 0;
      let rest = 0;
      while (i < doelen.length && (rest = nodig(k.kaart.getallen, getrokken, doelen[i])) === 0) ++i;
      if (i > 0) {
        compleet = 'Kaart ' + k.kaart.nummer + ' is compleet voor ' + doelen[i - 1].naam + ': roep ' +
          (k.kien ? 'KIEN' : 'BINGO') + '!';
      }
      if (i < doelen.length) regel = 'nog ' + rest + ' voor ' + doelen[i].naam;
    }
    k.compleet.textContent = compleet;
    k.compleet.hidden = !compleet;
    k.vak.classList.toggle('is-compleet', !!compleet);
    k.regel.textContent = regel;
    k.regel.hidden = !regel;
  }

  function toonKaart(kaart) {
    if (gevolgd.has(kaart.nummer)) return;
    const k = maakKaart(kaart);
    gevolgd.set(kaart.nummer, k);
    // In the order the player typed them.
    const lijst = $('mijn-kaarten');
    const plek = bewaard.nummers.indexOf(kaart.nummer);
    let voor = null;
    for (const ander of lijst.children)
      if (bewaard.nummers.indexOf(ander.dataset.nummer) > plek) {
        voor = ander;
        break;
      }
    lijst.insertBefore(k.vak, voor);
    $('mijn').open = true;
    markeer(k);
    uitleg();
  }

  // The place of a number on the page: its card, or what is said in its place; null when none.
  function vakVan(nummer) {
    return $('mijn-kaarten').querySelector('[data-nummer="' + CSS.escape(nummer) + '"]');
  }

  function wegKnop(nummer) {
    const weg = element('button', 'weg', 'Verwijder');
    weg.type = 'button';
    weg.setAttribute('aria-label', 'Kaart ' + nummer + ' niet meer volgen');
    weg.addEventListener('click', () => verwijder(nummer));
    return weg;
  }

  function verwijder(nummer) {
    const vak = vakVan(nummer);
    if (vak) vak.remove();
    gevolgd.delete(nummer);
    bewaard.nummers = bewaard.nummers.filter((n) => n !== nummer);
    bewaar();
    uitleg();
  }

  // A kept number whose card cannot be had now: said in its place, tried again when it may be.
  function kanNiet(nummer, r) {
    let vak = vakVan(nummer);
    if (!vak) {
      vak = element('article', 'kaart mist');
      vak.dataset.nummer = nummer;
      vak.append(element('h3', '', 'Kaart ' + nummer), element('p', 'regel'), wegKnop(nummer));
      $('mijn-kaarten').appendChild(vak);
    }
    vak.querySelector('.regel').textContent = r.fout;
    if (r.status !== 404) setTimeout(() => laad(nummer), Math.max(5, r.wacht) * 1000);
  }

  async function laad(nummer) {
    try {
      const kaart = await haal(nummer);
      if (!bewaard.nummers.includes(nummer)) return;
      const oud = vakVan(nummer);
      if (oud && oud.classList.contains('mist')) oud.remove();
      toonKaart(kaart);
    } catch (r) {
      if (bewaard.nummers.includes(nummer)) kanNiet(nummer, r);
    }
  }

  async function volg(e) {
    e.preventDefault();
    const veld = $('mijn-nummer');
    let tekst = veld.value.replace(/\s+/g, '').toUpperCase();
    if (!tekst) {
      meld('Typ het nummer dat op uw kaart staat, bijvoorbeeld A-0017.');
      return;
    }
    const serie = $('mijn-serie');
    if (/^[0-9]+$/.test(tekst) && !serie.hidden && serie.value) tekst = serie.value + '-' + tekst;
    if (bewaard.nummers.length >= meeste) {
      meld('U volgt al ' + meeste + ' kaarten. Verwijder er eerst een.');
      return;
    }
    meld('Kaart ' + tekst + ' wordt opgehaald...');
    try {
      const kaart = await haal(tekst);
      if (bewaard.nummers.includes(kaart.nummer)) {
        meld('Kaart ' + kaart.nummer + ' volgt u al.');
        return;
      }
      bewaard.nummers.push(kaart.nummer);
      bewaar();
      toonKaart(kaart);
      veld.value = '';
      meld('');
    } catch (r) {
      meld(r.fout);
    }
  }

  async function laadSeries() {
    try {
      const r = await fetch('/series.json', { cache: 'no-store' });
      const lijst = (await r.json()).series || [];
      const serie = $('mijn-serie');
      serie.textContent = '';
      for (const s of lijst) {
        const o = element('option', '', s);
        o.value = s;
        serie.appendChild(o);
      }
      serie.hidden = lijst.length === 0;
    } catch (e) {
      // Without the series the full number still works.
    }
  }

  function begin() {
    // Open on a phone held upright and wherever cards are followed; a TV shows the board.
    $('mijn').open = bewaard.nummers.length > 0 || window.matchMedia('(orientation: portrait)').matches;
    $('mijn-vorm').addEventListener('submit', volg);
    laadSeries();
    for (const nummer of bewaard.nummers) laad(nummer);
    uitleg();
  }

  // Every change of the game: the marks, and at another evening a page without cards.
  function toon(s) {
    stand = s;
    if (s.avond && bewaard.avond !== s.avond) {
      if (bewaard.avond) for (const nummer of bewaard.nummers.slice()) verwijder(nummer);
      bewaard.avond = s.avond;
      bewaar();
    }
    for (const k of gevolgd.values()) markeer(k);
  }

  document.addEventListener('DOMContentLoaded', begin);
  return { toon: toon };
})();
