#include "core/game/stem.h"

#include <QHash>
#include <QLocale>

#ifdef ZORVAK_SPRAAK_QT
#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QTextToSpeech>
#include <QThread>
#include <QTimer>
#include <QVoice>

#include <atomic>
#endif

QList<StemKeuze> nederlandsVoorop(const QList<StemKeuze>& stemmen)
{
    QList<StemKeuze> uit;
    for (const StemKeuze& s : stemmen)
        if (s.nederlands) uit << s;
    for (const StemKeuze& s : stemmen)
        if (!s.nederlands) uit << s;
    return uit;
}

QString taalNaam(const QLocale& taal)
{
    static const QHash<QLocale::Language, QString> namen = {
        {QLocale::Dutch, QStringLiteral("Nederlands")},     {QLocale::English, QStringLiteral("Engels")},
        {QLocale::German, QStringLiteral("Duits")},         {QLocale::French, QStringLiteral("Frans")},
        {QLocale::Spanish, QStringLiteral("Spaans")},       {QLocale::Italian, QStringLiteral("Italiaans")},
        {QLocale::Portuguese, QStringLiteral("Portugees")}, {QLocale::Polish, QStringLiteral("Pools")},
        {QLocale::Turkish, QStringLiteral("Turks")},        {QLocale::Arabic, QStringLiteral("Arabisch")}};
    return namen.value(taal.language(), taal.nativeLanguageName());
}

#ifdef ZORVAK_SPRAAK_QT
// The engine of Qt's speech module (speech-dispatcher on Linux). Windows builds without that
// module have their own engine in stem_sapi.cpp.
namespace
{
constexpr int pauzeMs = 400; // between the letter, the number and the digits

// Lives on the speech thread: everything that may block on the engine happens here.
class Spreker : public QObject
{
public:
    // Runs on the speech thread: makes the engine and collects its voices.
    void begin()
    {
        if (!QTextToSpeech::availableEngines().isEmpty()) {
            m_tts = new QTextToSpeech(this);
            if (m_tts->state() != QTextToSpeech::Error)
                verzamel();
            else
                zetFout(foutTekst(m_tts->errorReason(), m_tts->errorString()));
        }
        if (m_tts) {
            m_klaar = 0;
            connect(m_tts, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State s) {
                if (s == QTextToSpeech::Ready) {
                    ++m_klaar;
                    zetFout({});
                }
                if (s == QTextToSpeech::Ready && !m_rij.isEmpty()) m_pauze.start(pauzeMs);
            });
            connect(
                m_tts, &QTextToSpeech::errorOccurred, this,
                [this](QTextToSpeech::ErrorReason reden, const QString& tekst) { zetFout(foutTekst(reden, tekst)); });
        }
        m_pauze.setSingleShot(true);
        connect(&m_pauze, &QTimer::timeout, this, &Spreker::volgende);
        m_gereed = true;
    }

    void stel(const QString& id, double tempo, double volume)
    {
        if (!m_tts || m_stemmen.isEmpty()) return;
        const QString taal = id.section(QLatin1Char('|'), 0, 0);
        const QString naam = id.section(QLatin1Char('|'), 1);
        bool gevonden = false;
        if (!id.isEmpty()) {
            m_tts->setLocale(QLocale(taal));
            for (const QVoice& v : m_tts->availableVoices()) {
                if (v.name() == naam) {
                    m_tts->setVoice(v);
                    gevonden = true;
                    break;
                }
            }
        }
        if (!gevonden && m_stemmen.first().nederlands)
            m_tts->setLocale(QLocale(m_stemmen.first().id.section(QLatin1Char('|'), 0, 0)));
        m_tts->setRate(qBound(-1.0, tempo, 1.0));
        m_tts->setVolume(qBound(0.0, volume, 1.0));
    }

    void zeg(const QStringList& delen)
    {
        if (!m_tts) return;
        m_pauze.stop();
        m_rij = delen;
        if (m_tts->state() == QTextToSpeech::Speaking) m_tts->stop();
        volgende();
    }

    void stop()
    {
        delete m_tts;
        m_tts = nullptr;
        QThread::currentThread()->quit();
    }

    bool isGereed() const { return m_gereed; }
    Stem::Antwoord antwoord() const
    {
        QMutexLocker slot(&m_slot);
        return {m_klaar, m_fout};
    }
    QList<StemKeuze> stemmen() const
    {
        QMutexLocker slot(&m_slot);
        return m_stemmen;
    }

private:
    void verzamel()
    {
        // Every Dutch voice, and of the other languages the first voice each.
        QList<StemKeuze> lijst;
        const QLocale begin = m_tts->locale();
        for (const QLocale& taal : m_tts->availableLocales()) {
            m_tts->setLocale(taal);
            const bool nl = taal.language() == QLocale::Dutch;
            const QList<QVoice> voices = m_tts->availableVoices();
            for (const QVoice& v : voices) {
                lijst << StemKeuze{taal.name() + QLatin1Char('|') + v.name(),
                                   v.name() + QStringLiteral(" (") + taalNaam(taal) + QLatin1Char(')'), nl};
                if (!nl) break;
            }
        }
        m_tts->setLocale(begin);
        QMutexLocker slot(&m_slot);
        m_stemmen = nederlandsVoorop(lijst);
    }

    void zetFout(const QString& fout)
    {
        QMutexLocker slot(&m_slot);
        m_fout = fout;
    }

    static QString foutTekst(QTextToSpeech::ErrorReason reden, const QString& tekst)
    {
        switch (reden) {
        case QTextToSpeech::ErrorReason::Playback:
            return QStringLiteral("geen geluid (%1)").arg(tekst);
        case QTextToSpeech::ErrorReason::Initialization:
        case QTextToSpeech::ErrorReason::Configuration:
            return QStringLiteral("de spraakdienst start niet (%1)").arg(tekst);
        default:
            return tekst.isEmpty() ? QStringLiteral("onbekende fout") : tekst;
        }
    }

    void volgende()
    {
        if (!m_tts || m_rij.isEmpty()) return;
        m_tts->say(m_rij.takeFirst());
    }

    QTextToSpeech* m_tts = nullptr;
    QTimer m_pauze{this};
    QStringList m_rij;
    mutable QMutex m_slot;
    QList<StemKeuze> m_stemmen;
    std::atomic<bool> m_gereed{false};
    std::atomic<int> m_klaar{-1};
    QString m_fout;
};

class SysteemStem : public Stem
{
public:
    SysteemStem()
    {
        m_draad = new QThread;
        m_draad->setObjectName(QStringLiteral("Spraak"));
        m_spreker = new Spreker;
        m_spreker->moveToThread(m_draad);
        m_draad->start();
        QMetaObject::invokeMethod(
            m_spreker, [s = m_spreker] { s->begin(); }, Qt::QueuedConnection);
    }

    ~SysteemStem() override
    {
        QMetaObject::invokeMethod(
            m_spreker, [s = m_spreker] { s->stop(); }, Qt::QueuedConnection);
        // An engine that hangs keeps its thread: it is left behind rather than waited for.
        if (m_draad->wait(2000)) {
            delete m_spreker;
            delete m_draad;
        }
    }

    bool gereed() override { return m_spreker->isGereed(); }
    QList<StemKeuze> stemmen() override { return m_spreker->stemmen(); }
    Antwoord antwoord() override { return m_spreker->antwoord(); }

    void stel(const QString& stemId, double tempo, double volume) override
    {
        QMetaObject::invokeMethod(
            m_spreker, [s = m_spreker, stemId, tempo, volume] { s->stel(stemId, tempo, volume); },
            Qt::QueuedConnection);
    }

    void zeg(const QStringList& delen) override
    {
        // Said late is worse than not said: a ball drawn while the engine starts stays unsaid.
        if (!gereed()) return;
        QMetaObject::invokeMethod(
            m_spreker, [s = m_spreker, delen] { s->zeg(delen); }, Qt::QueuedConnection);
    }

private:
    QThread* m_draad = nullptr;
    Spreker* m_spreker = nullptr;
};
} // namespace

std::unique_ptr<Stem> maakSysteemStem()
{
    return std::make_unique<SysteemStem>();
}
#elif !defined(ZORVAK_SPRAAK_SAPI)
// Built without any speech engine: the program is silent, and its Extra dialog says so.
namespace
{
class GeenStem : public Stem
{
public:
    bool gereed() override { return true; }
    QList<StemKeuze> stemmen() override { return {}; }
    void stel(const QString&, double, double) override {}
    void zeg(const QStringList&) override {}
};
} // namespace

std::unique_ptr<Stem> maakSysteemStem()
{
    return std::make_unique<GeenStem>();
}
#endif

namespace
{
std::function<std::unique_ptr<Stem>()>& stemMaker()
{
    static std::function<std::unique_ptr<Stem>()> maker;
    return maker;
}
} // namespace

std::unique_ptr<Stem> maakStem()
{
    return stemMaker() ? stemMaker()() : maakSysteemStem();
}

void zetStemMaker(std::function<std::unique_ptr<Stem>()> maker)
{
    stemMaker() = std::move(maker);
}
