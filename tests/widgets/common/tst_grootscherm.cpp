// Dialogs on a 3840 x 2160 screen at 96 dpi, where the stage is scaled 2.8: they grow with it,
// message boxes too; below a factor of 1.5 they keep their size.
#include "core/screen/twips.h"
#include "testhulp.h"
#include "widgets/common/dialoog.h"
#include "widgets/game/dialogen.h"
#include "widgets/settings/extra.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TstGrootScherm : public QObject
{
    Q_OBJECT
private slots:
    // Extra opens 2.8 times as large, centred, its controls in their places and fonts scaled;
    // a message box's text is scaled likewise. At 1920 x 1080 (1.4) nothing grows.
    void dialogenGroeien()
    {
        QCOMPARE(dialoogFactor({1920, 1080}), 1.0);
        TestHulp::Opstelling o;
        Main& m = o.main();
        QCOMPARE(m.geometry(), QRect(0, 0, 3840, 2160));
        const double f = 2.8125;
        QSize maat;
        QRect ok;
        int letter = 0;
        QPoint midden;
        QTimer::singleShot(0, [&] {
            auto* extra = qobject_cast<Extra*>(QApplication::activeModalWidget());
            if (!extra) return;
            maat = extra->size();
            ok = extra->OkKnop->geometry();
            letter = extra->OkKnop->font().pixelSize();
            midden = extra->geometry().center();
            extra->close();
        });
        m.dialogen().extraDialoog(&m);
        const QSize gewoon = Twips::dialoogBinnenmaat(Extra::vensterBreedte, Extra::vensterHoogte);
        QVERIFY(qAbs(maat.width() - gewoon.width() * f) <= 2 && qAbs(maat.height() - gewoon.height() * f) <= 2);
        const QRect okGewoon = Twips::rect(5670, 2970, 840, 330);
        QVERIFY(qAbs(ok.x() - okGewoon.x() * f) <= 2 && qAbs(ok.width() - okGewoon.width() * f) <= 2);
        QCOMPARE(letter, qRound(11 * f));
        QVERIFY((midden - QPoint(1920, 1080)).manhattanLength() <= 4);

        QMessageBox box(QMessageBox::NoIcon, QStringLiteral(" Zorvak"), QStringLiteral("Tekst"), QMessageBox::NoButton,
                        &m);
        const double punten = box.font().pointSizeF();
        box.show();
        QCOMPARE(box.font().pointSizeF(), punten * f);
    }
};

QTEST_MAIN(TstGrootScherm)
#include "tst_grootscherm.moc"
