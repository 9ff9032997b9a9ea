#pragma once

// A print target for tests: pages are recorded as the text items, lines, rectangles and
// pictures painted on them, with positions in twips; every document counts as a print job.

#include "printing/uitvoer.h"

#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRectF>

#include <climits>

namespace Opname
{

struct Tekst {
    QString tekst;
    QPointF basis; // start of the baseline, in twips
    QFont font;
    QColor kleur;
};
struct Vlak {
    QRectF rect;
    bool gevuld;
    QColor kleur;
};
struct Pagina {
    QList<Tekst> teksten;
    QList<QLineF> lijnen;
    QList<Vlak> vlakken;
    QList<QRectF> plaatjes;
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
        const bool gevuld = painter()->brush().style() != Qt::NoBrush;
        for (int i = 0; i < n; ++i)
            pagina.vlakken << Vlak{t().mapRect(r[i]), gevuld,
                                   gevuld ? painter()->brush().color() : painter()->pen().color()};
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
    ~Apparaat() override = default;
    QPaintEngine* paintEngine() const override { return &m_engine; }
    Pagina& pagina() { return m_engine.pagina; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return 11906;
        case PdmHeight:
            return 16838;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 1440;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    mutable Engine m_engine;
};

class Uitvoer : public PaginaUitvoer
{
public:
    bool druk(const QString& documentNaam, int aantal, const Tekenaar& teken, QString* fout) override
    {
        ++documenten;
        namen << documentNaam;
        if (!foutTekst.isEmpty()) {
            if (fout) *fout = foutTekst;
            return false;
        }
        for (int i = 0; i < aantal; ++i) {
            Apparaat apparaat;
            QPainter p(&apparaat);
            teken(p, i);
            p.end();
            paginas << apparaat.pagina();
        }
        return true;
    }
    int documenten = 0;
    QStringList namen;
    QList<Pagina> paginas;
    QString foutTekst; // when set, every document fails with it
};

} // namespace Opname
