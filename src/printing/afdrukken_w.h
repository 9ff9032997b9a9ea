#pragma once

#include <QDialog>

class Main;

class Afdrukken : public QDialog {
    Q_OBJECT
public:
    explicit Afdrukken(Main& hoofd);

private:
    Main& m_hoofd;
};
