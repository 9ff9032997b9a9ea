#pragma once

#include "core/cards/pagina.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;
class Toeval;

// Where printed pages go: the printer, a PDF file, or pictures. Pages are drawn on a painter
// in twips whose origin is the top-left corner of a portrait A4 sheet of paper.
class PaginaUitvoer
{
public:
    using Tekenaar = std::function<void(QPainter&, int pagina)>;
    virtual ~PaginaUitvoer() = default;
    // Where on the paper the device can print, in twips from the paper's corner; a printer's
    // is known once its document has begun, before the first page is drawn.
    QRectF afdrukbaar() const { return m_afdrukbaar; }
    // Makes one document of `aantal` pages, page i drawn by teken(painter, i). False, with a
    // Dutch explanation in fout, when the document could not be made.
    virtual bool druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout) = 0;
    // The file the pages go to; empty for a printer or pictures.
    virtual QString doelBestand() const { return {}; }
    // Called once a document's temporary file exists, before its first page; false, with a
    // reason, stops the document.
    using BijBegin = std::function<bool(const QString& tijdelijk, QString* fout)>;
    void zetBijBegin(BijBegin haak) { m_bijBegin = std::move(haak); }

protected:
    BijBegin m_bijBegin;
    // A file or a picture has no edge it cannot print.
    QRectF m_afdrukbaar{0, 0, Pagina::a4Breedte, Pagina::a4Hoogte};
};

// All pages of a document in one PDF file, fonts embedded. The file appears complete or not
// at all: an existing file is only replaced once the new one has been written in full. A job
// asked to stop (Onderbreking) stops between two pages and leaves the old file as it was.
class PdfUitvoer : public PaginaUitvoer
{
public:
    explicit PdfUitvoer(QString pad) : m_pad(std::move(pad)) {}
    bool druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout) override;
    QString doelBestand() const override { return m_pad; }

private:
    QString m_pad;
};

// Pages as pictures, white paper at the given resolution; counts the documents made.
class BeeldUitvoer : public PaginaUitvoer
{
public:
    explicit BeeldUitvoer(double dpi = 72) : m_dpi(dpi) {}
    bool druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout) override;

    double dpi() const { return m_dpi; }
    QList<QImage> paginas;
    int documenten = 0;

private:
    double m_dpi;
};

// The two print runs, shared by the print dialog and the command-line tool. Every page gets
// freshly drawn cards, placed on the output's printable area (Pagina::plaatsing). With
// elkePaginaApart every page is a document of its own (a print job per page on a printer),
// otherwise all pages form one document. No pages, no document.
namespace Afdruk
{
inline const QString bingoNaam = QStringLiteral("Bingokaarten");
inline const QString kienNaam = QStringLiteral("Kienkaarten");

bool bingo(PaginaUitvoer& uitvoer, int aantalGetallen, int paginas, const QString& kaartTekst, Toeval& toeval,
           bool elkePaginaApart, QString* fout);
bool kien(PaginaUitvoer& uitvoer, int paginas, const QString& kaartTekst, Toeval& toeval, bool elkePaginaApart,
          QString* fout);

// What a file chosen for the cards is when it is one of the program's own (the card register
// and the files SQLite keeps beside it, the settings files, the folder's lock, the evening's
// record), as "het kaartregister"; empty when it is none of these. Paths are compared as the
// system resolves them, so a link or another spelling of the same file is found too.
QString beschermdDoel(const QString& uitvoer, const QString& instellingenMap, const QString& registerPad,
                      const QString& programmaMap = {});
} // namespace Afdruk
