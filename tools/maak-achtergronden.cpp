// Draws the background pictures of the Backgrounds folder. They are made once and kept with
// the sources; run again after changing a design:
//   maak-achtergronden <folder>
// Every picture leaves the middle calm and dark enough for the board in front of it, and keeps
// its light towards the edges, where it shows on a projector around the board.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace
{

constexpr double pi = 3.14159265358979323846;
constexpr int breedte = 1920;
constexpr int hoogte = 1080;

QColor metAlfa(QColor c, int alfa)
{
    c.setAlpha(alfa);
    return c;
}

// Darkens the corners a little, so the eye goes to the middle.
void vignet(QPainter& p, int b, int h, int sterkte)
{
    QRadialGradient g(QPointF(b / 2.0, h / 2.0), std::hypot(b, h) / 2.0);
    g.setColorAt(0.55, QColor(0, 0, 0, 0));
    g.setColorAt(1.0, QColor(0, 0, 0, sterkte));
    p.fillRect(QRect(0, 0, b, h), g);
}

// Soft round spots of light, like lamps out of focus.
void lichtvlekken(QPainter& p, std::mt19937& toeval, int aantal, const std::vector<QColor>& kleuren, double minR,
                  double maxR)
{
    std::uniform_real_distribution<double> xs(0, breedte), ys(0, hoogte), rs(minR, maxR), as(0.25, 1.0);
    std::uniform_int_distribution<int> ks(0, static_cast<int>(kleuren.size()) - 1);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < aantal; ++i) {
        const QPointF c(xs(toeval), ys(toeval));
        const double r = rs(toeval);
        const QColor k = kleuren[ks(toeval)];
        const double a = as(toeval);
        QRadialGradient g(c, r);
        g.setColorAt(0.0, metAlfa(k, static_cast<int>(55 * a)));
        g.setColorAt(0.8, metAlfa(k, static_cast<int>(40 * a)));
        g.setColorAt(0.93, metAlfa(k, static_cast<int>(70 * a)));
        g.setColorAt(1.0, metAlfa(k, 0));
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    }
}

// 1: a deep blue evening with violet light and soft lamps.
QImage avondblauw()
{
    QImage img(breedte, hoogte, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient lucht(0, 0, breedte, hoogte);
    lucht.setColorAt(0, QColor(18, 28, 78));
    lucht.setColorAt(0.5, QColor(40, 22, 92));
    lucht.setColorAt(1, QColor(70, 18, 80));
    p.fillRect(img.rect(), lucht);
    // Beams of light from above.
    for (int i = 0; i < 7; ++i) {
        const double x = breedte * (0.1 + 0.13 * i);
        QPainterPath straal;
        straal.moveTo(x - 20, -10);
        straal.lineTo(x + 20, -10);
        straal.lineTo(x + 260 + 60 * std::sin(i * 1.7), hoogte + 10);
        straal.lineTo(x - 120 + 60 * std::cos(i * 1.3), hoogte + 10);
        straal.closeSubpath();
        QLinearGradient g(0, 0, 0, hoogte);
        g.setColorAt(0, QColor(170, 150, 255, 40));
        g.setColorAt(1, QColor(170, 150, 255, 0));
        p.fillPath(straal, g);
    }
    std::mt19937 toeval(1);
    lichtvlekken(p, toeval, 45, {QColor(120, 170, 255), QColor(200, 120, 255), QColor(255, 200, 120)}, 16, 90);
    vignet(p, breedte, hoogte, 170);
    return img;
}

// 2: a warm glow from below in dark wine red, with big faint balls floating up.
QImage gloed()
{
    QImage img(breedte, hoogte, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient achter(0, 0, 0, hoogte);
    achter.setColorAt(0, QColor(22, 6, 14));
    achter.setColorAt(0.6, QColor(70, 14, 24));
    achter.setColorAt(1, QColor(120, 34, 20));
    p.fillRect(img.rect(), achter);
    QRadialGradient gloed(QPointF(breedte / 2.0, hoogte * 1.1), hoogte * 0.9);
    gloed.setColorAt(0, QColor(255, 150, 40, 130));
    gloed.setColorAt(1, QColor(255, 150, 40, 0));
    p.fillRect(img.rect(), gloed);
    std::mt19937 toeval(2);
    std::uniform_real_distribution<double> xs(0, breedte), ys(0, hoogte), rs(30, 140);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const QPointF c(xs(toeval), ys(toeval));
        const double r = rs(toeval);
        QRadialGradient bol(c, r, c - QPointF(r / 3, r / 3));
        bol.setColorAt(0, QColor(255, 210, 160, 60));
        bol.setColorAt(0.7, QColor(230, 90, 60, 25));
        bol.setColorAt(1, QColor(120, 20, 20, 45));
        p.setBrush(bol);
        p.drawEllipse(c, r, r);
    }
    lichtvlekken(p, toeval, 50, {QColor(255, 180, 90), QColor(255, 120, 80)}, 6, 30);
    vignet(p, breedte, hoogte, 150);
    return img;
}

// 3: ribbons of teal and green flowing across the screen.
QImage golven()
{
    QImage img(breedte, hoogte, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient achter(0, 0, 0, hoogte);
    achter.setColorAt(0, QColor(4, 30, 38));
    achter.setColorAt(1, QColor(6, 52, 48));
    p.fillRect(img.rect(), achter);
    for (int laag = 0; laag < 9; ++laag) {
        const double basis = hoogte * (0.12 + 0.1 * laag);
        const double hoogteGolf = 70 + 25 * std::sin(laag * 1.9);
        const double fase = laag * 0.8;
        QPainterPath band;
        band.moveTo(0, hoogte);
        for (int x = 0; x <= breedte; x += 16) {
            const double t = x / double(breedte);
            band.lineTo(x, basis + hoogteGolf * std::sin(2 * pi * (t * 1.3 + fase)) + 40 * std::sin(2 * pi * t * 3.1));
        }
        band.lineTo(breedte, hoogte);
        band.closeSubpath();
        QLinearGradient g(0, basis - hoogteGolf, 0, basis + 220);
        const QColor kleur = QColor::fromHsv(160 + laag * 6, 200, 150 + laag * 8);
        g.setColorAt(0, metAlfa(kleur, 70));
        g.setColorAt(0.04, metAlfa(kleur.lighter(130), 60));
        g.setColorAt(1, metAlfa(kleur, 0));
        p.fillPath(band, g);
        p.strokePath(band, QPen(metAlfa(QColor(180, 255, 230), 35), 2));
    }
    std::mt19937 toeval(3);
    lichtvlekken(p, toeval, 40, {QColor(150, 255, 220), QColor(120, 200, 255)}, 8, 50);
    vignet(p, breedte, hoogte, 160);
    return img;
}

// A picture of palette indexes: a field of values and the colours that go with them.
struct Palletbeeld {
    int b = 0, h = 0;
    std::vector<std::uint8_t> index;
    std::array<QRgb, 256> kleuren{};
};

// A colour ramp through the given stops, over the palette entries [van, tot].
void ramp(Palletbeeld& pb, int van, int tot, const std::vector<QColor>& stops)
{
    for (int i = van; i <= tot; ++i) {
        const double t = double(i - van) / (tot - van) * (stops.size() - 1);
        const int k = std::min(static_cast<int>(t), static_cast<int>(stops.size()) - 2);
        const double f = t - k;
        const QColor& a = stops[k];
        const QColor& c = stops[k + 1];
        pb.kleuren[i] = qRgb(static_cast<int>(std::lround(a.red() + (c.red() - a.red()) * f)),
                             static_cast<int>(std::lround(a.green() + (c.green() - a.green()) * f)),
                             static_cast<int>(std::lround(a.blue() + (c.blue() - a.blue()) * f)));
    }
}

// 4: a night sky with northern lights, in 256 colours (for the bitmap).
Palletbeeld noorderlicht(int b, int h)
{
    Palletbeeld pb{b, h, std::vector<std::uint8_t>(std::size_t(b) * h), {}};
    ramp(pb, 0, 231,
         {QColor(4, 6, 22), QColor(10, 24, 60), QColor(20, 90, 100), QColor(60, 190, 140), QColor(170, 240, 200)});
    ramp(pb, 232, 255, {QColor(120, 130, 170), QColor(255, 255, 255)});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < b; ++x) {
            const double u = double(x) / b, v = double(y) / h;
            double t = 0.22 * (1 - v) + 0.05;
            // Curtains of light: a wavy band across the upper half, with vertical streaks.
            const double lijn = 0.38 + 0.12 * std::sin(2 * pi * (u * 1.4 + 0.2)) + 0.025 * std::sin(2 * pi * u * 3.3);
            const double afstand = v - lijn;
            const double gordijn = afstand < 0 ? std::exp(-afstand * afstand / 0.012) : std::exp(-afstand / 0.11);
            const double strepen = 0.78 + 0.22 * std::sin(2 * pi * (u * 23 + 0.3 * std::sin(2 * pi * u * 2)));
            t += 0.6 * gordijn * strepen * (0.7 + 0.3 * std::sin(2 * pi * u * 1.7));
            // The dark middle for the board.
            const double dx = u - 0.5, dy = v - 0.48;
            t *= 1.0 - 0.45 * std::exp(-(dx * dx / 0.06 + dy * dy / 0.05));
            pb.index[std::size_t(y) * b + x] = static_cast<std::uint8_t>(std::clamp(t, 0.0, 1.0) * 231);
        }
    std::mt19937 toeval(4);
    std::uniform_int_distribution<int> xs(0, b - 2), ys(0, h - 2), helder(232, 255);
    for (int i = 0; i < 700; ++i) {
        const int x = xs(toeval), y = ys(toeval);
        const int k = helder(toeval);
        pb.index[std::size_t(y) * b + x] = static_cast<std::uint8_t>(k);
        if (k > 250) {
            pb.index[std::size_t(y) * b + x + 1] = static_cast<std::uint8_t>(k - 10);
            pb.index[std::size_t(y + 1) * b + x] = static_cast<std::uint8_t>(k - 10);
        }
    }
    return pb;
}

// 5: green baize with a soft diamond lattice and a warm light in the middle (for the GIF).
Palletbeeld laken(int b, int h)
{
    Palletbeeld pb{b, h, std::vector<std::uint8_t>(std::size_t(b) * h), {}};
    ramp(pb, 0, 255, {QColor(2, 14, 8), QColor(8, 48, 26), QColor(24, 100, 52), QColor(120, 170, 80)});
    const double ruit = 120.0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < b; ++x) {
            const double dx = (x - b / 2.0) / b, dy = (y - h / 2.0) / h;
            double t = 0.62 - 0.75 * (dx * dx + dy * dy);
            // Two families of diagonal lines make the diamonds; the lines are soft.
            const double a = std::fmod(std::fabs(x + y * 1.0) / ruit, 1.0) - 0.5;
            const double c = std::fmod(std::fabs(x - y + 4.0 * h) / ruit, 1.0) - 0.5;
            const double lijnen = std::exp(-std::pow(a * ruit / 2.2, 2)) + std::exp(-std::pow(c * ruit / 2.2, 2));
            t += 0.13 * std::min(lijnen, 1.0);
            pb.index[std::size_t(y) * b + x] =
                static_cast<std::uint8_t>(std::lround(std::clamp(t, 0.0, 1.0) * 255 / 4.0) * 4);
        }
    return pb;
}

QImage alsQImage(const Palletbeeld& pb)
{
    QImage img(pb.b, pb.h, QImage::Format_Indexed8);
    img.setColorTable(QList<QRgb>(pb.kleuren.begin(), pb.kleuren.end()));
    for (int y = 0; y < pb.h; ++y)
        std::copy_n(pb.index.data() + std::size_t(y) * pb.b, pb.b, img.scanLine(y));
    return img;
}

// GIF writing (the image library reads GIF but does not write it): one frame, 256-colour
// global palette, LZW codes of 9 to 12 bits.
class Bitschrijver
{
public:
    void schrijf(int code, int bits)
    {
        m_buffer |= std::uint32_t(code) << m_aantal;
        m_aantal += bits;
        while (m_aantal >= 8) {
            m_bytes.push_back(static_cast<char>(m_buffer & 0xff));
            m_buffer >>= 8;
            m_aantal -= 8;
        }
    }
    QByteArray klaar()
    {
        if (m_aantal > 0) m_bytes.push_back(static_cast<char>(m_buffer & 0xff));
        m_buffer = 0;
        m_aantal = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    std::uint32_t m_buffer = 0;
    int m_aantal = 0;
};

QByteArray gifData(const Palletbeeld& pb)
{
    constexpr int wis = 256, einde = 257;
    std::vector<std::uint16_t> tabel(4096 * 256, 0);
    Bitschrijver uit;
    int volgende = einde + 1, bits = 9;
    uit.schrijf(wis, bits);
    int voorvoegsel = pb.index[0];
    for (std::size_t i = 1; i < pb.index.size(); ++i) {
        const int k = pb.index[i];
        const std::size_t sleutel = std::size_t(voorvoegsel) * 256 + k;
        if (tabel[sleutel] != 0) {
            voorvoegsel = tabel[sleutel];
            continue;
        }
        uit.schrijf(voorvoegsel, bits);
        if (volgende < 4096) {
            tabel[sleutel] = static_cast<std::uint16_t>(volgende++);
            if (volgende > (1 << bits) && bits < 12) ++bits;
        } else {
            uit.schrijf(wis, bits);
            std::fill(tabel.begin(), tabel.end(), 0);
            volgende = einde + 1;
            bits = 9;
        }
        voorvoegsel = k;
    }
    uit.schrijf(voorvoegsel, bits);
    uit.schrijf(einde, bits);
    return uit.klaar();
}

QByteArray gif(const Palletbeeld& pb)
{
    QByteArray b("GIF89a");
    auto woord = [&b](int v) {
        b.append(static_cast<char>(v & 0xff));
        b.append(static_cast<char>((v >> 8) & 0xff));
    };
    woord(pb.b);
    woord(pb.h);
    b.append(static_cast<char>(0xF7)); // global palette of 256 entries, 8 bits per primary
    b.append('\0');
    b.append('\0');
    for (QRgb c : pb.kleuren) {
        b.append(static_cast<char>(qRed(c)));
        b.append(static_cast<char>(qGreen(c)));
        b.append(static_cast<char>(qBlue(c)));
    }
    b.append(',');
    woord(0);
    woord(0);
    woord(pb.b);
    woord(pb.h);
    b.append('\0');
    b.append(static_cast<char>(8)); // smallest code size
    const QByteArray data = gifData(pb);
    for (int i = 0; i < data.size(); i += 255) {
        const int n = std::min<int>(255, data.size() - i);
        b.append(static_cast<char>(n));
        b.append(data.mid(i, n));
    }
    b.append('\0');
    b.append(';');
    return b;
}

bool schrijfBestand(const QString& pad, const QByteArray& inhoud)
{
    QFile f(pad);
    return f.open(QIODevice::WriteOnly) && f.write(inhoud) == inhoud.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream fout(stderr);
    if (argc != 2) {
        fout << "gebruik: maak-achtergronden <map>\n";
        return 2;
    }
    const QDir map(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(map.path())) {
        fout << "kan de map niet maken: " << map.path() << "\n";
        return 1;
    }
    bool goed = true;
    const std::array<std::pair<const char*, std::function<QImage()>>, 3> fotos = {
        std::pair{"Background-01.jpg", avondblauw}, {"Background-02.jpg", gloed}, {"Background-03.jpg", golven}};
    for (const auto& [naam, teken] : fotos)
        goed &= teken().save(map.filePath(QString::fromLatin1(naam)), "JPG", 85);

    goed &= alsQImage(noorderlicht(1024, 576)).save(map.filePath(QStringLiteral("Background-04.bmp")), "BMP");

    // The GIF is read back, to be sure every pixel came through.
    const Palletbeeld pb = laken(breedte, hoogte);
    const QString gifPad = map.filePath(QStringLiteral("Background-05.gif"));
    goed &= schrijfBestand(gifPad, gif(pb));
    const QImage terug = QImage(gifPad).convertToFormat(QImage::Format_RGB32);
    const QImage verwacht = alsQImage(pb).convertToFormat(QImage::Format_RGB32);
    if (terug != verwacht) {
        fout << "GIF leest niet goed terug\n";
        goed = false;
    }
    if (!goed) fout << "niet alle plaatjes zijn geschreven\n";
    return goed ? 0 : 1;
}
