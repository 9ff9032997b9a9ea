#pragma once

// What maak-document's two halves share: maak-document-tekst.cpp (the Markdown source read and
// given the look of the manual) and maak-document.cpp (that text laid out on A4 pages, with a
// title page, a table of contents and a footer on each page, and painted into the PDF).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPdfWriter>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <cmath>
#include <map>

class QPainter;
class QTextBlock;
class QTextCharFormat;
class QTextTable;

namespace MaakDocument
{
inline const QColor kopKleur(36, 36, 72);
inline const QColor tekstKleur(30, 30, 30);
inline const QColor grijs(110, 110, 120);
inline const QStringList schreefloos = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                        QStringLiteral("DejaVu Sans")};
inline const QStringList vasteBreedte = {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                                         QStringLiteral("DejaVu Sans Mono")};
inline const QString paginaTeken = QStringLiteral("\u00a7\u00a7PAGINA\u00a7\u00a7");

// Page geometry in millimetres.
constexpr double margeLinks = 24, margeRechts = 22, margeBoven = 22, margeOnder = 26;

struct Bron {
    std::map<QString, QString> kop;
    QString tekst;
};

// The source's head and its text, a page mark in place of each "[[pagina]]"; *fout says why not.
Bron leesBron(const QString& pad, QString* fout);

inline QFont lettertype(const QStringList& families, double punten, bool vet = false)
{
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(punten);
    f.setBold(vet);
    return f;
}

// A picture drawn by the program's own code ("plaatje:naam" in the source); null when unknown.
QImage programmaPlaatje(const QString& naam);

// One document: its text given the manual's look, laid out on pages and painted into the PDF.
class Document
{
public:
    Document(const Bron& bron, const QString& bronMap, QPdfWriter& schrijver);
    // False when a picture is missing (*fout says which) or the painting fails.
    bool maak(QString* fout);

private:
    QString kop(const char* sleutel) const;

    // The text (maak-document-tekst.cpp).
    bool plaatjesLaden(QString* fout);
    void opmaken();
    void zetTekenopmaak(const QTextBlock& b, const QTextCharFormat& cf);
    void tabelOpmaken(QTextTable* tabel, double pt);

    // The pages (maak-document.cpp).
    void wachtOpOpmaak();
    double paginaVan(double y) const { return std::floor(y / m_tekstVlak.height()); }
    void houdKoppenBijTekst();
    bool naarVolgendeBlad(QTextBlock b);

    struct InhoudRegel {
        int niveau;
        QString tekst;
        int pagina;
    };

    bool tekenen();
    void titelBlad(QPainter& p, double pt);
    void voet(QPainter& p, int nummer, int totaal, double pt);

    const Bron& m_bron;
    QString m_map;
    QPdfWriter& m_schrijver;
    QTextDocument m_doc;
    QSizeF m_pagina;
    QRectF m_tekstVlak;
    double m_perMm = 1;
};

} // namespace MaakDocument
