// The text of a document for maak-document: its Markdown source read, its pictures loaded, and
// every heading, paragraph, list, table and piece of code given the look of the manual. Laying
// it out on pages and painting it is in maak-document.cpp.
#include "maak-document.h"

#include "core/cards/kaartpatroon.h"
#include "core/screen/plaatjes.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrlQuery>

#include <functional>
#include <vector>

namespace MaakDocument
{
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

// Size of a picture at 96 dpi, the unit the text layout uses for pictures.
QSizeF logischeGrootte(const QImage& img)
{
    return QSizeF(img.size()) / img.devicePixelRatio();
}
} // namespace

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

// Every picture becomes a resource of the document, sized for the text width.
bool Document::plaatjesLaden(QString* fout)
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

void Document::opmaken()
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
void Document::zetTekenopmaak(const QTextBlock& b, const QTextCharFormat& cf)
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

void Document::tabelOpmaken(QTextTable* tabel, double pt)
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

} // namespace MaakDocument
