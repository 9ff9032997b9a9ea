#pragma once

// A print target for tests: pages are recorded as the texts, pictures, lines and boxes painted
// on them, with positions in twips; every document counts as a print job.

#include "core/cards/uitvoer.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <climits>
#include <functional>

namespace Opname
{

struct Tekst {
    QString tekst;
    QPointF basis; // start of the baseline, in twips
    QFont font;
    QColor kleur;
    // Where the ink of the text lies on the page; leading blanks hold none.
    QRectF inkt() const
    {
        const QFontMetricsF maat(font);
        const QString kern = tekst.trimmed();
        const QPointF voor(maat.horizontalAdvance(tekst.left(tekst.indexOf(kern))), 0);
        return maat.tightBoundingRect(kern).translated(basis + voor);
    }
};
struct Pagina {
    QList<Tekst> teksten;
    QList<QRectF> plaatjes;
    QList<QLineF> lijnen;
    QList<QRectF> vlakken;
};

class Engine : public QPaintEngine
{
public:
    Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    Pagina pagina;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { pagina.plaatjes << t().mapRect(r); }
    void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        pagina.plaatjes << t().mapRect(r);
    }
    void drawTextItem(const QPointF& p, const QTextItem& ti) override
    {
        pagina.teksten << Tekst{ti.text(), t().map(p), ti.font(), painter()->pen().color()};
    }
    void drawLines(const QLineF* l, int n) override
    {
        for (int i = 0; i < n; ++i)
            pagina.lijnen << t().map(l[i]);
    }
    void drawRects(const QRectF* r, int n) override
    {
        for (int i = 0; i < n; ++i)
            pagina.vlakken << t().mapRect(r[i]);
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}

private:
    QTransform t() const { return painter()->combinedTransform(); }
};

// An A4 page at 1440 dots per inch: one device unit is one twip.
class Apparaat : public QPaintDevice
{
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    Pagina& pagina() { return m_engine.pagina; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 11906;
        case PdmHeight: return 16838;
        case PdmWidthMM: return 210;
        case PdmHeightMM: return 297;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 1440; // every resolution
        }
    }

private:
    mutable Engine m_engine;
};

// One page as `teken` paints it.
inline Pagina neemOp(const std::function<void(QPainter&)>& teken)
{
    Apparaat apparaat;
    QPainter p(&apparaat);
    teken(p);
    p.end();
    return apparaat.pagina();
}

class Uitvoer : public PaginaUitvoer
{
public:
    bool druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout) override
    {
        ++documenten;
        namen << documentNaam;
        if (!foutTekst.isEmpty() && documenten >= foutVanaf) {
            if (fout) *fout = foutTekst;
            return false;
        }
        for (int i = 0; i < aantal; ++i)
            paginas << neemOp([&](QPainter& p) { teken(p, i); });
        return true;
    }
    int documenten = 0;
    QStringList namen;
    QList<Pagina> paginas;
    QString foutTekst; // when set, every document from number foutVanaf on fails with it
    int foutVanaf = 1;
};

} // namespace Opname
