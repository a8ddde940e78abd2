#pragma once

#include <QApplication>

// The application object. Commands show their own errors (TForm1::RunCommand); an error
// that escapes any other event handler ends up here and is shown the same way, and the
// program goes on.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void WriteLogs();
};
