// Turns one of the program's documents (docs/*.md) into an A4 PDF.
//
//   maak-document <bron.md> <uitvoer.pdf>
//
// The source is Markdown (the GitHub dialect: headings, lists, tables, pictures, code) with a
// small head between two lines "---" that gives the title page:
//
//   titel: Zorvak               big title on the title page, and the PDF's title
//   ondertitel: Handleiding     line under the title
//   voettekst: Zorvak - ...     left part of the footer of every page
//   inhoud: ja                  a table of contents after the title page
//
// A line "[[pagina]]" starts a new page. A picture "plaatje:naam" is drawn by the program's own
// picture code (the same buttons and balls the organiser sees); any other picture is a file
// beside the source. "?b=120" after a picture's name sets its width in pixels at 96 dpi; other
// pictures are as wide as the text.
//
// The text is read and given its look in maak-document-tekst.cpp; here it is laid out on pages
// and painted into the PDF.

#include "maak-document.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>
#include <cstdio>
#include <vector>

namespace MaakDocument
{
Document::Document(const Bron& bron, const QString& bronMap, QPdfWriter& schrijver)
    : m_bron(bron), m_map(bronMap), m_schrijver(schrijver)
{
    const double perMm = schrijver.resolution() / 25.4;
    m_pagina = QSizeF(schrijver.width(), schrijver.height());
    m_tekstVlak = QRectF(margeLinks * perMm, margeBoven * perMm, m_pagina.width() - (margeLinks + margeRechts) * perMm,
                         m_pagina.height() - (margeBoven + margeOnder) * perMm);
    m_perMm = perMm;
}

bool Document::maak(QString* fout)
{
    m_doc.documentLayout()->setPaintDevice(&m_schrijver);
    m_doc.setDefaultFont(lettertype(schreefloos, 10.5));
    m_doc.setDocumentMargin(0);
    m_doc.setMarkdown(m_bron.tekst, QTextDocument::MarkdownDialectGitHub);
    if (!plaatjesLaden(fout)) return false;
    opmaken();
    m_doc.setPageSize(m_tekstVlak.size());
    houdKoppenBijTekst();
    return tekenen();
}

QString Document::kop(const char* sleutel) const
{
    const auto it = m_bron.kop.find(QString::fromLatin1(sleutel));
    return it == m_bron.kop.end() ? QString() : it->second;
}

// The text layout finishes long documents in steps driven by a timer; let it finish.
void Document::wachtOpOpmaak()
{
    double vorige = -1;
    for (int i = 0; i < 1000; ++i) {
        QCoreApplication::processEvents();
        const double hoogte = m_doc.documentLayout()->documentSize().height();
        if (hoogte == vorige && i > 3) return;
        vorige = hoogte;
    }
}

// A heading never stands alone at the foot of a page: when the text after it starts on the
// next page, the heading moves there too.
void Document::houdKoppenBijTekst()
{
    auto* opmaak = m_doc.documentLayout();
    for (int ronde = 0; ronde < 20; ++ronde) {
        wachtOpOpmaak();
        bool verschoven = false;
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
            if (b.blockFormat().headingLevel() == 0 || !b.next().isValid()) continue;
            const QRectF kopVlak = opmaak->blockBoundingRect(b);
            const QRectF volgVlak = opmaak->blockBoundingRect(b.next());
            QTextLayout* volgLayout = b.next().layout();
            const double eersteRegel = volgLayout && volgLayout->lineCount() > 0
                                           ? volgVlak.top() + volgLayout->lineAt(0).rect().bottom()
                                           : volgVlak.top();
            if (paginaVan(kopVlak.top() + 1) != paginaVan(eersteRegel - 1) &&
                b.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_Auto) {
                verschoven = naarVolgendeBlad(b);
                break;
            }
        }
        // A short table is kept on one page.
        for (QTextFrame* frame : m_doc.rootFrame()->childFrames()) {
            auto* tabel = qobject_cast<QTextTable*>(frame);
            if (!tabel || tabel->format().pageBreakPolicy() != QTextFormat::PageBreak_Auto || verschoven) continue;
            const QRectF vlak = opmaak->frameBoundingRect(tabel);
            if (paginaVan(vlak.top() + 1) != paginaVan(vlak.bottom() - 1) &&
                vlak.height() < 0.6 * m_tekstVlak.height()) {
                // The line that introduces the table goes along with it.
                const QTextBlock voor = m_doc.findBlock(tabel->firstPosition() - 1);
                if (voor.isValid() &&
                    (voor.text().trimmed().endsWith(QLatin1Char(':')) || voor.blockFormat().headingLevel() > 0)) {
                    verschoven = naarVolgendeBlad(voor);
                } else {
                    QTextTableFormat tf = tabel->format();
                    tf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                    tabel->setFormat(tf);
                    verschoven = true;
                }
            }
        }
        if (!verschoven) return;
    }
}

// Starts a new page at b, or at the first of the headings right above it, so that a
// chapter heading and its first section heading stay together.
bool Document::naarVolgendeBlad(QTextBlock b)
{
    while (b.previous().isValid() && b.previous().blockFormat().headingLevel() > 0)
        b = b.previous();
    if (b.blockFormat().pageBreakPolicy() != QTextFormat::PageBreak_Auto) return false;
    QTextBlockFormat bf = b.blockFormat();
    bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(b).setBlockFormat(bf);
    return true;
}

bool Document::tekenen()
{
    const bool metInhoud = kop("inhoud") == QLatin1String("ja");
    wachtOpOpmaak();
    const int bladen = m_doc.pageCount();
    const double pt = m_schrijver.resolution() / 72.0;

    std::vector<InhoudRegel> inhoud;
    if (metInhoud)
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next())
            if (const int n = b.blockFormat().headingLevel(); n == 1 || n == 2)
                inhoud.push_back(
                    {n, b.text(), static_cast<int>(paginaVan(m_doc.documentLayout()->blockBoundingRect(b).top() + 1))});
    const double inhoudRegel = 19 * pt;
    const int regelsPerBlad = static_cast<int>((m_tekstVlak.height() - 40 * pt) / inhoudRegel);
    const int inhoudBladen =
        metInhoud ? std::max<int>(1, (static_cast<int>(inhoud.size()) + regelsPerBlad - 1) / regelsPerBlad) : 0;
    const int eersteTekstBlad = 1 + inhoudBladen; // 0-based: after the title page
    const int totaal = eersteTekstBlad + bladen;

    QPainter p;
    if (!p.begin(&m_schrijver)) return false;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    titelBlad(p, pt);

    for (int blad = 0; blad < inhoudBladen; ++blad) {
        m_schrijver.newPage();
        double y = m_tekstVlak.top();
        if (blad == 0) {
            p.setFont(lettertype(schreefloos, 20, true));
            p.setPen(kopKleur);
            p.drawText(QPointF(m_tekstVlak.left(), y + 20 * pt), QStringLiteral("Inhoud"));
            y += 40 * pt;
        }
        for (int i = blad * regelsPerBlad; i < std::min<int>(inhoud.size(), (blad + 1) * regelsPerBlad); ++i) {
            const InhoudRegel& r = inhoud[i];
            const bool hoofd = r.niveau == 1;
            if (hoofd && i > blad * regelsPerBlad) y += 6 * pt;
            p.setFont(lettertype(schreefloos, hoofd ? 11.5 : 10.5, hoofd));
            p.setPen(hoofd ? kopKleur : tekstKleur);
            const double x = m_tekstVlak.left() + (hoofd ? 0 : 14 * pt);
            const QString nummer = QString::number(eersteTekstBlad + r.pagina + 1);
            const QFontMetricsF fm(p.font(), &m_schrijver);
            p.drawText(QPointF(x, y + fm.ascent()), r.tekst);
            p.drawText(QPointF(m_tekstVlak.right() - fm.horizontalAdvance(nummer), y + fm.ascent()), nummer);
            // Dotted leader between the title and its page number.
            const double van = x + fm.horizontalAdvance(r.tekst) + 6 * pt;
            const double tot = m_tekstVlak.right() - fm.horizontalAdvance(nummer) - 6 * pt;
            p.setPen(QPen(grijs, 0.8 * pt, Qt::DotLine));
            if (tot > van) p.drawLine(QPointF(van, y + fm.ascent()), QPointF(tot, y + fm.ascent()));
            y += inhoudRegel;
        }
        voet(p, 2 + blad, totaal, pt); // the title page is page 1
    }

    for (int blad = 0; blad < bladen; ++blad) {
        m_schrijver.newPage();
        p.save();
        const QRectF zicht(0, blad * m_tekstVlak.height(), m_tekstVlak.width(), m_tekstVlak.height());
        p.translate(m_tekstVlak.left(), m_tekstVlak.top() - zicht.top());
        // A picture that the layout moved to the next page may start a hair above it;
        // keep that sliver off the foot of this page.
        p.setClipRect(zicht.adjusted(0, 0, 0, -0.3 * m_perMm));
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = zicht;
        ctx.palette.setColor(QPalette::Text, tekstKleur);
        m_doc.documentLayout()->draw(&p, ctx);
        p.restore();
        voet(p, eersteTekstBlad + blad + 1, totaal, pt);
    }
    return p.end();
}

void Document::titelBlad(QPainter& p, double pt)
{
    // The upper part of the page looks like the program's help panel: the logo on a dark
    // red-brown field with the dot texture, and the title with its red shadow.
    const double hoogte = m_pagina.height() * 0.46;
    const QRectF vlak(0, 0, m_pagina.width(), hoogte);
    p.fillRect(vlak, QColor(40, 20, 20));
    const QImage logo = programmaPlaatje(QStringLiteral("logo"));
    const double logoBreedte = 110 * m_perMm;
    const QSizeF logoGrootte(logoBreedte, logoBreedte * logo.height() / logo.width());
    p.drawImage(
        QRectF(QPointF((m_pagina.width() - logoGrootte.width()) / 2, hoogte - logoGrootte.height() - 14 * m_perMm),
               logoGrootte),
        logo);

    p.setPen(QPen(QColor(70, 70, 90), 0.6 * pt));
    const double stap = 3 * m_perMm;
    for (double x = 0; x < vlak.width(); x += stap)
        for (double y = stap / 3; y < hoogte; y += stap)
            p.drawLine(QPointF(x, y), QPointF(x + stap / 3, y + stap / 3));

    const QString titel = kop("titel");
    p.setFont(lettertype(schreefloos, 54, true));
    const QFontMetricsF fm(p.font(), &m_schrijver);
    const QPointF plek(m_tekstVlak.left(), 30 * m_perMm + fm.ascent());
    p.setPen(QColor(255, 0, 0));
    p.drawText(plek, titel);
    p.setPen(QColor(250, 230, 160));
    p.drawText(plek + QPointF(1.2 * pt, 1.2 * pt), titel);

    p.setFont(lettertype(schreefloos, 18));
    p.setPen(QColor(230, 220, 200));
    p.drawText(QPointF(m_tekstVlak.left(), plek.y() + 16 * m_perMm), kop("ondertitel"));

    // Below the field: what the document is for, in a few lines.
    const QString onder = kop("omschrijving");
    if (!onder.isEmpty()) {
        p.setFont(lettertype(schreefloos, 12));
        p.setPen(tekstKleur);
        const QRectF tekstVlak(m_tekstVlak.left(), hoogte + 20 * m_perMm, m_tekstVlak.width(), 80 * m_perMm);
        p.drawText(tekstVlak, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, onder);
    }
    p.setFont(lettertype(schreefloos, 9.5));
    p.setPen(grijs);
    p.drawText(QRectF(m_tekstVlak.left(), m_pagina.height() - margeOnder * m_perMm, m_tekstVlak.width(), 10 * m_perMm),
               Qt::AlignLeft | Qt::AlignTop, kop("versie"));
}

void Document::voet(QPainter& p, int nummer, int totaal, double pt)
{
    const double y = m_pagina.height() - (margeOnder - 10) * m_perMm;
    p.setPen(QPen(QColor(190, 190, 200), 0.6 * pt));
    p.drawLine(QPointF(m_tekstVlak.left(), y - 5 * m_perMm), QPointF(m_tekstVlak.right(), y - 5 * m_perMm));
    p.setFont(lettertype(schreefloos, 8.5));
    p.setPen(grijs);
    const QRectF regel(m_tekstVlak.left(), y - 4 * m_perMm, m_tekstVlak.width(), 6 * m_perMm);
    p.drawText(regel, Qt::AlignLeft | Qt::AlignVCenter, kop("voettekst"));
    p.drawText(regel, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Pagina %1 van %2").arg(nummer).arg(totaal));
}

} // namespace MaakDocument

using namespace MaakDocument;

int main(int argc, char* argv[])
{
    // Fonts and text layout need a GUI application, but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "gebruik: maak-document <bron.md> <uitvoer.pdf>\n");
        return 2;
    }
    QString fout;
    const Bron bron = leesBron(args[1], &fout);
    if (!fout.isEmpty()) {
        std::fprintf(stderr, "maak-document: %s\n", qPrintable(fout));
        return 1;
    }
    // Write to a temporary name first, so a failed run never leaves half a document behind.
    const QString tijdelijk = args[2] + QStringLiteral(".tmp");
    {
        QPdfWriter schrijver(tijdelijk);
        schrijver.setPageSize(QPageSize(QPageSize::A4));
        schrijver.setPageMargins(QMarginsF(0, 0, 0, 0));
        schrijver.setResolution(1200);
        const auto kopWaarde = [&](const char* sleutel) {
            const auto it = bron.kop.find(QString::fromLatin1(sleutel));
            return it == bron.kop.end() ? QString() : it->second;
        };
        schrijver.setTitle(kopWaarde("titel") + QStringLiteral(" \u2013 ") + kopWaarde("ondertitel"));
        schrijver.setCreator(QStringLiteral("Zorvak"));
        Document doc(bron, QFileInfo(args[1]).absolutePath(), schrijver);
        if (!doc.maak(&fout)) {
            std::fprintf(stderr, "maak-document: %s\n",
                         qPrintable(fout.isEmpty() ? QStringLiteral("tekenen mislukt") : fout));
            QFile::remove(tijdelijk);
            return 1;
        }
    }
    QFile::remove(args[2]);
    if (!QFile::rename(tijdelijk, args[2])) {
        std::fprintf(stderr, "maak-document: kan %s niet schrijven\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
