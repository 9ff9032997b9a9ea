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

#include "core/cards/kaartpatroon.h"
#include "core/screen/plaatjes.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrlQuery>

#include <cstdio>
#include <functional>
#include <map>

namespace
{
// A paragraph that holds nothing but one picture.
bool alleenPlaatje(const QTextBlock& b)
{
    int plaatjes = 0;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (f.charFormat().isImageFormat())
            ++plaatjes;
        else if (!f.text().trimmed().isEmpty())
            return false;
    }
    return plaatjes == 1;
}

const QColor kopKleur(36, 36, 72);
const QColor tekstKleur(30, 30, 30);
const QColor grijs(110, 110, 120);
const QStringList schreefloos = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                 QStringLiteral("DejaVu Sans")};
const QStringList vasteBreedte = {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                                  QStringLiteral("DejaVu Sans Mono")};
const QString paginaTeken = QStringLiteral("\u00a7\u00a7PAGINA\u00a7\u00a7");

// Page geometry in millimetres.
constexpr double margeLinks = 24, margeRechts = 22, margeBoven = 22, margeOnder = 26;

struct Bron {
    std::map<QString, QString> kop;
    QString tekst;
};

Bron leesBron(const QString& pad, QString* fout)
{
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly)) {
        *fout = QStringLiteral("kan %1 niet lezen: %2").arg(pad, f.errorString());
        return {};
    }
    Bron bron;
    QStringList regels = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    int i = 0;
    if (!regels.isEmpty() && regels.first().trimmed() == QLatin1String("---")) {
        for (i = 1; i < regels.size() && regels[i].trimmed() != QLatin1String("---"); ++i) {
            const int dp = regels[i].indexOf(QLatin1Char(':'));
            if (dp > 0) bron.kop[regels[i].left(dp).trimmed()] = regels[i].mid(dp + 1).trimmed();
        }
        ++i;
    }
    QStringList rest;
    for (; i < regels.size(); ++i)
        rest << (regels[i].trimmed() == QLatin1String("[[pagina]]") ? paginaTeken + QLatin1Char('\n') : regels[i]);
    bron.tekst = rest.join(QLatin1Char('\n'));
    return bron;
}

QFont lettertype(const QStringList& families, double punten, bool vet = false)
{
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(punten);
    f.setBold(vet);
    return f;
}

QImage programmaPlaatje(const QString& naam)
{
    constexpr qreal scherp = 4.0;
    static const std::map<QString, std::function<QImage()>> plaatjes = {
        {QStringLiteral("help"), [] { return Plaatjes::helpKnop(scherp); }},
        {QStringLiteral("printer"), [] { return Plaatjes::printer(48, scherp); }},
        {QStringLiteral("instellingen"), [] { return Plaatjes::tandwielen(scherp); }},
        {QStringLiteral("start"), [] { return Plaatjes::startPijlen(scherp); }},
        {QStringLiteral("exit"), [] { return Plaatjes::exitKnop(scherp); }},
        {QStringLiteral("verklein"), [] { return Plaatjes::verklein(scherp); }},
        {QStringLiteral("pdf"), [] { return Plaatjes::pdfIcoon(scherp); }},
        {QStringLiteral("dpi"), [] { return Plaatjes::dpiIcoon(scherp); }},
        {QStringLiteral("logo"), [] { return Plaatjes::logo(scherp); }},
        {QStringLiteral("patroon"), [] { return PatroonKaart::startPlaatje(); }},
        {QStringLiteral("free"), [] { return Plaatjes::free(scherp); }},
    };
    const auto it = plaatjes.find(naam);
    if (it != plaatjes.end()) return it->second();
    if (naam.startsWith(QLatin1String("bal"))) return Plaatjes::bal(naam.mid(3).toInt(), scherp);
    return {};
}

// Size of a picture at 96 dpi, the unit the text layout uses for pictures.
QSizeF logischeGrootte(const QImage& img)
{
    return QSizeF(img.size()) / img.devicePixelRatio();
}

class Document
{
public:
    Document(const Bron& bron, const QString& bronMap, QPdfWriter& schrijver)
        : m_bron(bron), m_map(bronMap), m_schrijver(schrijver)
    {
        const double perMm = schrijver.resolution() / 25.4;
        m_pagina = QSizeF(schrijver.width(), schrijver.height());
        m_tekstVlak =
            QRectF(margeLinks * perMm, margeBoven * perMm, m_pagina.width() - (margeLinks + margeRechts) * perMm,
                   m_pagina.height() - (margeBoven + margeOnder) * perMm);
        m_perMm = perMm;
    }

    bool maak(QString* fout)
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

private:
    QString kop(const char* sleutel) const
    {
        const auto it = m_bron.kop.find(QString::fromLatin1(sleutel));
        return it == m_bron.kop.end() ? QString() : it->second;
    }

    // Every picture becomes a resource of the document, sized for the text width.
    bool plaatjesLaden(QString* fout)
    {
        struct Plaats {
            int begin, lengte;
            QTextImageFormat opmaak;
        };
        std::vector<Plaats> plaatsen;
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat())
                    plaatsen.push_back(
                        {it.fragment().position(), it.fragment().length(), it.fragment().charFormat().toImageFormat()});

        const double tekstBreedte96 = m_tekstVlak.width() / m_perMm / 25.4 * 96.0;
        for (Plaats& p : plaatsen) {
            const QUrl url(p.opmaak.name());
            QImage img = url.scheme() == QLatin1String("plaatje") ? programmaPlaatje(url.path())
                                                                  : QImage(m_map + QLatin1Char('/') + url.path());
            if (img.isNull()) {
                *fout = QStringLiteral("plaatje %1 niet gevonden").arg(p.opmaak.name());
                return false;
            }
            m_doc.addResource(QTextDocument::ImageResource, url, img);
            const QSizeF eigen = logischeGrootte(img);
            const double breedte = QUrlQuery(url).hasQueryItem(QStringLiteral("b"))
                                       ? QUrlQuery(url).queryItemValue(QStringLiteral("b")).toDouble()
                                       : tekstBreedte96;
            p.opmaak.setWidth(breedte);
            p.opmaak.setHeight(breedte * eigen.height() / eigen.width());
            if (breedte < tekstBreedte96) p.opmaak.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            QTextCursor c(&m_doc);
            c.setPosition(p.begin);
            c.setPosition(p.begin + p.lengte, QTextCursor::KeepAnchor);
            c.setCharFormat(p.opmaak);
        }
        return true;
    }

    void opmaken()
    {
        // Margins, paddings and borders of the text layout are given in pixels at 96 dpi and
        // scaled to the writer by the layout itself.
        const double pt = 96.0 / 72.0;
        std::vector<QTextBlock> paginaTekens;

        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
            QTextCursor c(b);
            QTextBlockFormat bf = b.blockFormat();
            const bool inTabel = QTextCursor(b).currentTable() != nullptr;

            if (b.text() == paginaTeken) {
                paginaTekens.push_back(b);
                continue;
            }
            if (const int niveau = bf.headingLevel(); niveau > 0) {
                static const double grootte[] = {0, 20, 14.5, 12, 11, 11, 11};
                static const double boven[] = {0, 6, 16, 10, 8, 8, 8};
                bf.setTopMargin(boven[niveau] * pt);
                bf.setBottomMargin((niveau == 1 ? 10 : 5) * pt);
                bf.setLineHeight(110, QTextBlockFormat::ProportionalHeight);
                QTextCharFormat cf;
                cf.setFont(lettertype(schreefloos, grootte[niveau], true));
                cf.setForeground(niveau <= 2 ? kopKleur : tekstKleur);
                zetTekenopmaak(b, cf);
            } else if (bf.hasProperty(QTextFormat::BlockCodeFence) || bf.nonBreakableLines()) {
                bf.setBackground(QColor(240, 240, 244));
                bf.setLeftMargin(6 * pt);
                bf.setTopMargin(0);
                bf.setBottomMargin(0);
                bf.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
                QTextCharFormat cf;
                cf.setFont(lettertype(vasteBreedte, 8.5));
                cf.setForeground(QColor(20, 20, 90));
                zetTekenopmaak(b, cf);
                bf.setNonBreakableLines(false); // a long command wraps rather than runs off the page
                if (!b.previous().blockFormat().hasProperty(QTextFormat::BlockCodeFence)) bf.setTopMargin(2 * pt);
                if (!b.next().blockFormat().hasProperty(QTextFormat::BlockCodeFence)) bf.setBottomMargin(8 * pt);
            } else if (bf.intProperty(QTextFormat::BlockQuoteLevel) > 0) {
                bf.setBackground(QColor(255, 246, 214));
                bf.setLeftMargin(0);
                bf.setIndent(0);
                bf.setTopMargin(4 * pt);
                bf.setBottomMargin(10 * pt);
                bf.setLineHeight(130, QTextBlockFormat::ProportionalHeight);
                bf.setProperty(QTextFormat::BlockQuoteLevel, 0);
                bf.setLeftMargin(4 * pt);
                bf.setRightMargin(4 * pt);
            } else if (b.textList()) {
                bf.setTopMargin(0);
                bf.setBottomMargin((b.next().textList() == b.textList() ? 3 : 8) * pt);
                bf.setLineHeight(130, QTextBlockFormat::ProportionalHeight);
            } else if (inTabel) {
                bf.setTopMargin(0);
                bf.setBottomMargin(0);
                bf.setLineHeight(120, QTextBlockFormat::ProportionalHeight);
            } else if (alleenPlaatje(b)) {
                // A proportional line height would stretch the picture's line too.
                bf.setTopMargin(0);
                bf.setBottomMargin(7 * pt);
                bf.setLineHeight(100, QTextBlockFormat::SingleHeight);
            } else {
                bf.setTopMargin(0);
                bf.setBottomMargin(7 * pt);
                bf.setLineHeight(135, QTextBlockFormat::ProportionalHeight);
            }
            if (!inTabel && bf.headingLevel() == 0) bf.setAlignment(Qt::AlignLeft);
            c.setBlockFormat(bf);
            // Inline code: a typewriter font in a dark blue.
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.charFormat().fontFixedPitch() && !bf.hasProperty(QTextFormat::BlockCodeFence)) {
                    QTextCursor fc(&m_doc);
                    fc.setPosition(f.position());
                    fc.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
                    QTextCharFormat cf;
                    cf.setFont(lettertype(vasteBreedte, 9.5));
                    cf.setForeground(QColor(20, 20, 90));
                    fc.mergeCharFormat(cf);
                }
            }
        }

        // Lists: a little indent, bullets as dashes at the second level.
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next())
            if (QTextList* lijst = b.textList()) {
                QTextListFormat lf = lijst->format();
                lf.setIndent(1);
                if (lf.style() == QTextListFormat::ListCircle || lf.style() == QTextListFormat::ListSquare)
                    lf.setStyle(QTextListFormat::ListCircle);
                lijst->setFormat(lf);
            }

        for (QTextFrame* frame : m_doc.rootFrame()->childFrames())
            if (auto* tabel = qobject_cast<QTextTable*>(frame)) tabelOpmaken(tabel, pt);

        // A page mark gives the next block a page break and disappears.
        for (QTextBlock b : paginaTekens) {
            QTextBlock volgende = b.next();
            if (volgende.isValid()) {
                QTextCursor vc(volgende);
                QTextBlockFormat vf = volgende.blockFormat();
                vf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                vc.setBlockFormat(vf);
            }
            QTextCursor c(b);
            c.select(QTextCursor::BlockUnderCursor);
            c.removeSelectedText();
            if (b.isValid() && b.text().isEmpty() && b.next().isValid()) {
                QTextCursor leeg(b);
                leeg.deleteChar();
            }
        }
    }

    // Gives every character of a block the font and colour of cf. The size steps that the
    // Markdown reader gives headings would override any font size, so they go.
    void zetTekenopmaak(const QTextBlock& b, const QTextCharFormat& cf)
    {
        std::vector<std::pair<int, int>> stukken;
        for (auto it = b.begin(); !it.atEnd(); ++it)
            stukken.emplace_back(it.fragment().position(), it.fragment().length());
        for (const auto& [begin, lengte] : stukken) {
            QTextCursor c(&m_doc);
            c.setPosition(begin);
            c.setPosition(begin + lengte, QTextCursor::KeepAnchor);
            QTextCharFormat f = c.charFormat();
            if (f.isImageFormat()) continue;
            f.clearProperty(QTextFormat::FontSizeAdjustment);
            f.merge(cf);
            c.setCharFormat(f);
        }
        QTextCursor bc(b);
        QTextCharFormat bf = bc.blockCharFormat();
        bf.clearProperty(QTextFormat::FontSizeAdjustment);
        bf.merge(cf);
        bc.setBlockCharFormat(bf);
    }

    void tabelOpmaken(QTextTable* tabel, double pt)
    {
        QTextTableFormat tf = tabel->format();
        tf.setBorderCollapse(true);
        tf.setBorder(0.6 * pt);
        tf.setBorderBrush(QColor(170, 170, 185));
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setCellSpacing(0);
        tf.setCellPadding(0);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tf.setTopMargin(2 * pt);
        tf.setBottomMargin(10 * pt);
        tf.setAlignment(Qt::AlignLeft);
        // Columns that hold only pictures stay narrow.
        QVector<QTextLength> breedtes;
        for (int k = 0; k < tabel->columns(); ++k) {
            bool alleenPlaatjes = true;
            for (int r = 1; r < tabel->rows() && alleenPlaatjes; ++r) {
                const QTextTableCell cel = tabel->cellAt(r, k);
                for (auto it = cel.begin(); !it.atEnd() && alleenPlaatjes; ++it)
                    for (auto f = it.currentBlock().begin(); !f.atEnd(); ++f)
                        if (!f.fragment().charFormat().isImageFormat() && !f.fragment().text().trimmed().isEmpty())
                            alleenPlaatjes = false;
            }
            breedtes << (alleenPlaatjes ? QTextLength(QTextLength::FixedLength, 18 / 25.4 * 96)
                                        : QTextLength(QTextLength::VariableLength, 0));
        }
        tf.setColumnWidthConstraints(breedtes);
        tabel->setFormat(tf);
        for (int r = 0; r < tabel->rows(); ++r)
            for (int k = 0; k < tabel->columns(); ++k) {
                QTextTableCell cel = tabel->cellAt(r, k);
                QTextTableCellFormat cf = cel.format().toTableCellFormat();
                cf.setTopPadding(3 * pt);
                cf.setBottomPadding(3 * pt);
                cf.setLeftPadding(5 * pt);
                cf.setRightPadding(5 * pt);
                cf.setVerticalAlignment(QTextCharFormat::AlignMiddle);
                if (r == 0) {
                    cf.setBackground(QColor(226, 226, 238));
                    cf.setFontWeight(QFont::Bold);
                    cf.setForeground(kopKleur);
                } else if (r % 2 == 0) {
                    cf.setBackground(QColor(247, 247, 250));
                }
                cel.setFormat(cf);
                if (r == 0) {
                    QTextCharFormat vet;
                    vet.setFontWeight(QFont::Bold);
                    vet.setForeground(kopKleur);
                    QTextCursor c = cel.firstCursorPosition();
                    c.setPosition(cel.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    c.mergeCharFormat(vet);
                }
            }
    }

    // The text layout finishes long documents in steps driven by a timer; let it finish.
    void wachtOpOpmaak()
    {
        double vorige = -1;
        for (int i = 0; i < 1000; ++i) {
            QCoreApplication::processEvents();
            const double hoogte = m_doc.documentLayout()->documentSize().height();
            if (hoogte == vorige && i > 3) return;
            vorige = hoogte;
        }
    }

    double paginaVan(double y) const { return std::floor(y / m_tekstVlak.height()); }

    // A heading never stands alone at the foot of a page: when the text after it starts on the
    // next page, the heading moves there too.
    void houdKoppenBijTekst()
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
    bool naarVolgendeBlad(QTextBlock b)
    {
        while (b.previous().isValid() && b.previous().blockFormat().headingLevel() > 0)
            b = b.previous();
        if (b.blockFormat().pageBreakPolicy() != QTextFormat::PageBreak_Auto) return false;
        QTextBlockFormat bf = b.blockFormat();
        bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(b).setBlockFormat(bf);
        return true;
    }

    struct InhoudRegel {
        int niveau;
        QString tekst;
        int pagina;
    };

    bool tekenen()
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
                        {n, b.text(),
                         static_cast<int>(paginaVan(m_doc.documentLayout()->blockBoundingRect(b).top() + 1))});
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

    void titelBlad(QPainter& p, double pt)
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
        p.drawText(
            QRectF(m_tekstVlak.left(), m_pagina.height() - margeOnder * m_perMm, m_tekstVlak.width(), 10 * m_perMm),
            Qt::AlignLeft | Qt::AlignTop, kop("versie"));
    }

    void voet(QPainter& p, int nummer, int totaal, double pt)
    {
        const double y = m_pagina.height() - (margeOnder - 10) * m_perMm;
        p.setPen(QPen(QColor(190, 190, 200), 0.6 * pt));
        p.drawLine(QPointF(m_tekstVlak.left(), y - 5 * m_perMm), QPointF(m_tekstVlak.right(), y - 5 * m_perMm));
        p.setFont(lettertype(schreefloos, 8.5));
        p.setPen(grijs);
        const QRectF regel(m_tekstVlak.left(), y - 4 * m_perMm, m_tekstVlak.width(), 6 * m_perMm);
        p.drawText(regel, Qt::AlignLeft | Qt::AlignVCenter, kop("voettekst"));
        p.drawText(regel, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Pagina %1 van %2").arg(nummer).arg(totaal));
    }

    const Bron& m_bron;
    QString m_map;
    QPdfWriter& m_schrijver;
    QTextDocument m_doc;
    QSizeF m_pagina;
    QRectF m_tekstVlak;
    double m_perMm = 1;
};

} // namespace

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
