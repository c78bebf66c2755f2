#pragma once

#include "Views/Kit/ViewModel.h"

// The C++ half of a page (see ViewModel). It also tells when the page first shows its data, so
// that tests and benchmarks can wait for a page rather than for a time.
class PageModel : public ViewModel
{
    Q_OBJECT
    Q_PROPERTY(bool ready READ isReady NOTIFY readyChanged)
    QML_ANONYMOUS

public:
    using ViewModel::ViewModel;

    [[nodiscard]] bool isReady() const { return m_ready; }

Q_SIGNALS:
    void readyChanged();

protected:
    // Once the first data a page shows has arrived (or turned out to be none).
    void setReady();

private:
    bool m_ready = false;
};
