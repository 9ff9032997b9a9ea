#pragma once

#include <QString>
#include <QtGlobal>

// Tells a barcode scanner from a person at the keyboard. A scanner types what it reads as key
// presses a few milliseconds apart and ends with Enter; nobody types a whole code that fast. The
// first key of a burst has gone its way before anyone can know it is one; the keys after it are
// held back once the burst holds anything besides the keys that act on the board (the space bar,
// a small k and a small w), so a code of another kind draws no ball. A capital K or W, which a
// scanner types for a card of series K or W and a person hardly ever on the board, waits a
// burst's pause before it counts. Only a burst of at least kortsteCode keys ended by Enter is a
// scanned code; anything else was a person's quick fingers (two digits of a ball with the next
// key down before the last is up), and every key held back goes where it was typed, in order.
// Keys are judged by the moment they were pressed, not by when the program got round to them.
class ScanHerkenner
{
public:
    // Keys at most this many milliseconds apart belong to one burst.
    static constexpr qint64 tussenpoos = 40;
    // The shortest code that counts as scanned ("A-0001" has six characters).
    static constexpr int kortsteCode = 4;

    enum class Oordeel {
        Door,       // the key goes where it was going
        Vasthouden, // the key is held back: part of a burst
        Uitstellen, // a capital K or W, which a scanner types for a card of that series: held back
                    // until the burst is over, and given back unless it was part of a scan
        Gescand,    // Enter ended a scanned code: code() holds it; the Enter goes nowhere
    };

    // A key pressed at `ms` (a monotonic clock): its text (empty for a key without one, such as
    // an arrow or Escape), or Enter. Keys repeated by holding them down are not given.
    Oordeel toets(const QString& tekst, bool enter, qint64 ms);
    QString code() const { return m_code; }
    // Whether keys are held back now, and the moment (in the keys' own time) after which the
    // burst is over.
    bool houdtVast() const { return m_vastgehouden > 0; }
    qint64 eindeBurst() const { return m_laatst + tussenpoos; }
    // The burst is over without an Enter: nothing is held any more.
    void laatLos();

private:
    QString m_burst;
    qint64 m_laatst = 0;
    int m_vastgehouden = 0;
    bool m_anders = false; // the burst holds a key besides the board's own
    QString m_code;
};
