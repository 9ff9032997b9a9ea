// A program folder whose name Windows-1252 cannot hold ("Ærø ñ ł"), on Linux and under Wine:
// its backgrounds are listed and shown, and the evening's record, the card register and a PDF
// are written in it and read back. (Zorvak.ini's path under such a folder: tst_instellingen.)
#include "core/game/verloop.h"
#include "core/settings/achtergronden.h"
#include "widgets/game/achtergrond.h"
#include "core/cards/genummerd.h"
#include "core/cards/kaartregister.h"
#include "core/cards/uitvoer.h"
#include "testhulp.h"

#include <QtTest>

class TstPaden : public QObject
{
    Q_OBJECT
private slots:
    void mapBuitenDeCodeTabel()
    {
        QTemporaryDir tmp;
        const QString map = QDir(tmp.path()).filePath(QStringLiteral("Ærø ñ ł"));
        const QString plaatje = map + QStringLiteral("/Backgrounds/Zee ł.jpg");
        QVERIFY(QDir().mkpath(map + QStringLiteral("/Backgrounds")));
        QVERIFY(QFile::copy(TestHulp::bronMap() + QStringLiteral("/Backgrounds/Background-01.jpg"), plaatje));
        QCOMPARE(Achtergronden::plaatjes(map + QStringLiteral("/Backgrounds")), QStringList{QStringLiteral("Zee ł.jpg")});
        QVERIFY(Achtergrond().laad(plaatje));

        // The evening's record: two balls, read back as the last game.
        {
            Spel spel;
            Verloop verloop(map);
            verloop.volg(spel);
            VasteToeval toeval(3);
            spel.nieuwSpel(75, 1);
            spel.trek(toeval);
            spel.trek(toeval);
        }
        const auto laatste = Verloop::laatsteSpel(map);
        QVERIFY(laatste && !laatste->beschadigd);
        QCOMPARE(laatste->stand.ballen.size(), 2);

        // Numbered cards: the register and the PDF in the folder.
        KaartRegister reg(KaartRegister::padIn(map));
        QString fout;
        QVERIFY2(reg.open(&fout), qPrintable(fout));
        PdfUitvoer pdf(map + QStringLiteral("/kaarten ł.pdf"));
        VasteToeval toeval(5);
        KaartRegister::Reeks reeks;
        QVERIFY2(Afdruk::genummerd(pdf, reg, KaartSoort::Bingo75, QStringLiteral("A"), 1, QStringLiteral("ł"), toeval,
                                   false, &reeks, &fout),
                 qPrintable(fout));
        QCOMPARE(reg.aantalKaarten(QStringLiteral("A")), 6);
        reg.sluit();
        QVERIFY(TestHulp::leesBestand(map + QStringLiteral("/kaarten ł.pdf")).startsWith("%PDF-"));
        QVERIFY(QFileInfo::exists(map + QStringLiteral("/") + KaartRegister::bestandsNaam));
    }
};

QTEST_MAIN(TstPaden)
#include "tst_paden.moc"
