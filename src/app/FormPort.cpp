#include "app/FormPort.h"

#include <QCloseEvent>

namespace linvox {

FormPort::FormPort(std::unique_ptr<SerialLine> line, Services services, QWidget* parent)
    : QWidget(parent),
      m_MSComm1(std::move(line)),
      m_services(std::move(services)),
      m_dialer(*m_MSComm1, m_services.settings, m_services.messages, m_services.pause) {
    setWindowTitle(kProgramTitle);
}

FormPort::~FormPort() = default;

void FormPort::closeEvent(QCloseEvent* event) {
    event->accept();
    (void)m_MSComm1->SetPortOpen(false);
    m_services.endProgram();
}

}  // namespace linvox
