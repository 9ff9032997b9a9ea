// The caller's voice on Windows: the system's speech API (SAPI 5, ISpVoice), with a Dutch
// voice when the computer has one. Everything that talks to the engine happens on a thread of
// its own, in its own COM apartment, so an engine that hangs never holds up the program.
#ifdef ZORVAK_SPRAAK_SAPI
#include "core/game/stem.h"

#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <sapi.h>

namespace
{
constexpr int pauzeMs = 400; // between the letter, the number and the digits

// What the program asks of the engine; handled in order on the speech thread.
struct Opdracht {
    bool zeggen = false;
    QString stemId;
    double tempo = 0;
    double volume = 1;
    QStringList delen;
};

// Shared by the program and the speech thread; the thread keeps it alive when it is left behind.
struct Gedeeld {
    QMutex slot;
    QWaitCondition wek;
    std::deque<Opdracht> rij;
    bool stoppen = false;
    std::atomic<bool> gereed{false};
    QList<StemKeuze> stemmen;
    // How the engine answered: Speak calls that it took, and the last it refused.
    int klaar = 0;
    QString fout;
};

QString uitWide(const wchar_t* tekst)
{
    return tekst ? QString::fromWCharArray(tekst) : QString();
}

// The parts as one SAPI XML text: the words escaped, a short silence between the parts.
std::wstring alsSapiXml(const QStringList& delen)
{
    QStringList stukken;
    for (const QString& deel : delen)
        stukken << deel.toHtmlEscaped();
    return stukken.join(QStringLiteral("<silence msec=\"%1\"/>").arg(pauzeMs)).toStdWString();
}

// A voice's language: the first number of its "Language" attribute, a hexadecimal LCID.
QLocale taalVan(ISpObjectToken* token)
{
    ISpDataKey* kenmerken = nullptr;
    if (FAILED(token->OpenKey(L"Attributes", &kenmerken))) return QLocale::c();
    wchar_t* waarde = nullptr;
    QLocale taal = QLocale::c();
    if (SUCCEEDED(kenmerken->GetStringValue(L"Language", &waarde))) {
        bool ok = false;
        const LCID lcid = uitWide(waarde).section(QLatin1Char(';'), 0, 0).toUInt(&ok, 16);
        wchar_t naam[LOCALE_NAME_MAX_LENGTH] = {};
        if (ok && LCIDToLocaleName(lcid, naam, LOCALE_NAME_MAX_LENGTH, 0) > 0)
            taal = QLocale(uitWide(naam).replace(QLatin1Char('-'), QLatin1Char('_')));
        CoTaskMemFree(waarde);
    }
    kenmerken->Release();
    return taal;
}

// Lives on the speech thread only.
class Spreker
{
public:
    explicit Spreker(Gedeeld& gedeeld) : m_gedeeld(gedeeld) {}

    ~Spreker()
    {
        if (m_stem) {
            m_stem->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
            m_stem->Release();
        }
        for (auto& [id, token] : m_tokens)
            token->Release();
    }

    void begin()
    {
        if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                    reinterpret_cast<void**>(&m_stem))))
            m_stem = nullptr;
        QList<StemKeuze> lijst;
        if (m_stem) lijst = verzamel();
        QMutexLocker slot(&m_gedeeld.slot);
        m_gedeeld.stemmen = nederlandsVoorop(lijst);
    }

    void voerUit(const Opdracht& o)
    {
        if (!m_stem || m_tokens.empty()) return;
        if (o.zeggen) {
            // The newest ball counts: whatever was still being said is dropped.
            const HRESULT uit =
                m_stem->Speak(alsSapiXml(o.delen).c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_XML, nullptr);
            QMutexLocker slot(&m_gedeeld.slot);
            if (FAILED(uit)) {
                m_gedeeld.fout = QStringLiteral("de spraak van Windows weigert (fout 0x%1)")
                                     .arg(static_cast<quint32>(uit), 8, 16, QLatin1Char('0'));
            } else {
                ++m_gedeeld.klaar;
                m_gedeeld.fout.clear();
            }
            return;
        }
        ISpObjectToken* gekozen = nullptr;
        const QString tokenId = o.stemId.section(QLatin1Char('|'), 1);
        for (auto& [id, token] : m_tokens)
            if (!tokenId.isEmpty() && id == tokenId) gekozen = token;
        if (!gekozen && m_eersteNederlands) gekozen = m_eersteNederlands;
        if (gekozen) m_stem->SetVoice(gekozen);
        m_stem->SetRate(static_cast<long>(qRound(qBound(-1.0, o.tempo, 1.0) * 10)));
        m_stem->SetVolume(static_cast<USHORT>(qRound(qBound(0.0, o.volume, 1.0) * 100)));
    }

private:
    // Every Dutch voice, and of the other languages the first voice each.
    QList<StemKeuze> verzamel()
    {
        QList<StemKeuze> lijst;
        ISpObjectTokenCategory* soort = nullptr;
        IEnumSpObjectTokens* tokens = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL,
                                       IID_ISpObjectTokenCategory, reinterpret_cast<void**>(&soort))) &&
            SUCCEEDED(soort->SetId(SPCAT_VOICES, FALSE)) && SUCCEEDED(soort->EnumTokens(nullptr, nullptr, &tokens))) {
            QList<QLocale::Language> gezien;
            ISpObjectToken* token = nullptr;
            while (tokens->Next(1, &token, nullptr) == S_OK) {
                wchar_t* id = nullptr;
                wchar_t* naam = nullptr;
                const QLocale taal = taalVan(token);
                const bool nl = taal.language() == QLocale::Dutch;
                if (SUCCEEDED(token->GetId(&id)) && SUCCEEDED(token->GetStringValue(nullptr, &naam)) &&
                    (nl || !gezien.contains(taal.language()))) {
                    gezien << taal.language();
                    lijst << StemKeuze{taal.name() + QLatin1Char('|') + uitWide(id),
                                       uitWide(naam) + QStringLiteral(" (") + taalNaam(taal) + QLatin1Char(')'), nl};
                    m_tokens.emplace_back(uitWide(id), token);
                    if (nl && !m_eersteNederlands) m_eersteNederlands = token;
                    token = nullptr;
                }
                CoTaskMemFree(id);
                CoTaskMemFree(naam);
                if (token) token->Release();
            }
            tokens->Release();
        }
        if (soort) soort->Release();
        return lijst;
    }

    Gedeeld& m_gedeeld;
    ISpVoice* m_stem = nullptr;
    std::vector<std::pair<QString, ISpObjectToken*>> m_tokens;
    ISpObjectToken* m_eersteNederlands = nullptr;
};

void spraakDraad(const std::shared_ptr<Gedeeld>& gedeeld)
{
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
        Spreker spreker(*gedeeld);
        if (com) spreker.begin();
        gedeeld->gereed = true;
        QMutexLocker slot(&gedeeld->slot);
        for (;;) {
            while (gedeeld->rij.empty() && !gedeeld->stoppen)
                gedeeld->wek.wait(&gedeeld->slot);
            if (gedeeld->stoppen) break;
            const Opdracht o = std::move(gedeeld->rij.front());
            gedeeld->rij.pop_front();
            slot.unlock();
            spreker.voerUit(o);
            slot.relock();
        }
    }
    if (com) CoUninitialize();
}

class SapiStem : public Stem
{
public:
    SapiStem() : m_gedeeld(std::make_shared<Gedeeld>())
    {
        m_draad = QThread::create(spraakDraad, m_gedeeld);
        m_draad->setObjectName(QStringLiteral("Spraak"));
        m_draad->start();
    }

    ~SapiStem() override
    {
        {
            QMutexLocker slot(&m_gedeeld->slot);
            m_gedeeld->stoppen = true;
            m_gedeeld->wek.wakeAll();
        }
        // An engine that hangs keeps its thread: it is left behind rather than waited for.
        if (m_draad->wait(2000)) delete m_draad;
    }

    bool gereed() override { return m_gedeeld->gereed; }
    QList<StemKeuze> stemmen() override
    {
        QMutexLocker slot(&m_gedeeld->slot);
        return m_gedeeld->stemmen;
    }

    Antwoord antwoord() override
    {
        QMutexLocker slot(&m_gedeeld->slot);
        return {m_gedeeld->klaar, m_gedeeld->fout};
    }

    void stel(const QString& stemId, double tempo, double volume) override
    {
        stuur(Opdracht{false, stemId, tempo, volume, {}});
    }

    void zeg(const QStringList& delen) override
    {
        // Said late is worse than not said: a ball drawn while the engine starts stays unsaid.
        if (gereed()) stuur(Opdracht{true, {}, 0, 1, delen});
    }

private:
    void stuur(Opdracht o)
    {
        QMutexLocker slot(&m_gedeeld->slot);
        m_gedeeld->rij.push_back(std::move(o));
        m_gedeeld->wek.wakeAll();
    }

    std::shared_ptr<Gedeeld> m_gedeeld;
    QThread* m_draad = nullptr;
};
} // namespace

std::unique_ptr<Stem> maakSysteemStem()
{
    return std::make_unique<SapiStem>();
}
#endif
