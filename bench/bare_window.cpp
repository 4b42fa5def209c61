// The toolkit's floor for the editor's start-up: a fixed window with 60 plain spin boxes.
#include <QApplication>
#include <QSpinBox>
#include <QWidget>

#include "startup_probe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(1000, 700);
  for (int i = 0; i < 60; ++i) {
    auto* box = new QSpinBox(&window);
    box->setRange(0, 255);
    box->setGeometry(80 + 50 * (i % 7), 98 + 32 * (i / 7), 45, 20);
  }
  window.show();
  zentrax::bench::reportWhenIdle(window);
  return app.exec();
}
