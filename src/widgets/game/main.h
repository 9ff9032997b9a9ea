#pragma once

#include <QWidget>

#include <memory>

class Achtergrond;
class Avond;
class BalInvoer;
class Bord;
class Dialogen;
class HulpPaneel;
class KaartControle;
class Opdrachtbalk;
class OrganisatorStrook;
class OrganisatorTekst;
class PlaatjeKnop;
class QLabel;
class QScreen;
class QTimer;
class WebScherm;

// The main window: the full-screen stage of the evening. It composes the views (the
// background, the board, the command bar, the help panel, a checked card, the address of the
// board on the network) and lays them out
// from the screen size, in the twips of the 1024 x 768 design; it keeps the clock and the line
// of information under the board. What happens in the game, the evening runs: the stage asks it
// to act and follows its signals.
class Main : public QWidget
{
    Q_OBJECT
public:
    // scherm: the screen the stage is laid out for first; none means the primary one.
    explicit Main(Avond& avond, QScreen* scherm = nullptr, QWidget* ouder = nullptr);
    ~Main() override;

    Avond& avond() { return m_avond; }

    // Lays the stage out on this screen area: one factor from the design, every picture and
    // text drawn again at the screen's resolution. The game, the lists and the help panel stay
    // as they were. Nothing is done again for the area it was last laid out on.
    void legUit(const QRect& scherm, qreal dpr = 1.0);
    // Logical pixels per design pixel: 1 on a 1024 x 768 screen.
    qreal schaal() const { return m_schaal; }
    // How often the stage has been laid out.
    int uitleggingen() const { return m_uitleggingen; }

    // What the organiser's window asks of the stage: a command of the bar (with its press), a
    // key as if pressed on the board, the card check, Exit (with its press).
    void opdracht(int knop);
    void toets(int toets, bool herhaling);
    // Asks for a card's number and shows that card on the stage with its verdict (key K and
    // the bar's button); puts a shown card away.
    void controleerKaart();
    // A card code from a scanner, on the stage or in the organiser's window: that card shows at
    // once with its verdict, in place of a card that showed.
    void scan(const QString& code);
    void exit();
    // While the hall's screen shows the stage, no mouse pointer shows over it.
    void verbergWijzer(bool verbergen);
    // With two screens the hall sees the game and the organiser the controls: the command bar
    // and the minimise icon leave the stage, unless the organiser asked for the bar there.
    void zetZaalScherm(bool zaal);
    bool zaalScherm() const { return m_zaalScherm; }
    // What the screens tell the organiser alone; the organiser's window shows it too.
    OrganisatorTekst& organisatorTekst() { return *m_organisatorTekst; }

    // The dialogs of the evening, over this window unless another is given.
    Dialogen& dialogen() { return *m_dialogen; }

    // The controls, under the names the program gives them (also their objectName).
    Achtergrond* BackImage = nullptr;
    Bord* Pic = nullptr;
    QLabel* InfoLabel = nullptr;
    HulpPaneel* HelpPic = nullptr;
    PlaatjeKnop* Image1 = nullptr;
    Opdrachtbalk* KnopPic = nullptr;
    QLabel* KlokLabel = nullptr;
    QTimer* Timer1 = nullptr;
    KaartControle* KaartControleScherm = nullptr;
    // Where the hall opens the board on a phone, over the whole stage (key W).
    WebScherm* WebPic = nullptr;
    // Under the board while the organiser has paused calling by itself.
    QLabel* PauzeLabel = nullptr;
    // What is played for now, above the board, while a programme runs; made when first needed.
    QLabel* ProgrammaLabel = nullptr;
    // The organiser's texts, with one screen only: above the command bar, or under a checked card.
    OrganisatorStrook* Strook = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void maakBesturing();
    void verbind();
    void volgScherm();
    void volgGeometrie(QScreen* scherm);
    void klokTik();
    void helpPaneel();
    void toonWebScherm(bool tonen);
    void toonInfo();
    void toonPauze();
    void plaatsOnderBord(QLabel* label);
    void toonBalk();
    void toonProgramma();

    Avond& m_avond;
    std::unique_ptr<OrganisatorTekst> m_organisatorTekst;
    std::unique_ptr<BalInvoer> m_balInvoer;
    Dialogen* m_dialogen = nullptr;
    int m_schermB = 0;
    int m_schermH = 0;
    qreal m_schaal = 1.0;
    qreal m_dpr = 1.0;
    QRect m_uitgelegdOp;
    int m_uitleggingen = 0;
    bool m_volgtScherm = false;
    bool m_zaalScherm = false;
    QMetaObject::Connection m_geometrieVerbinding;
};
