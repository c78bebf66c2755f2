#include "ViewModel.h"

#include "App/AppModel.h"

AppModel *ViewModel::app() const
{
    return m_app;
}

void ViewModel::setApp(AppModel *app)
{
    if (m_app || !app)
        return;
    m_app = app;
    Q_EMIT appChanged();
    startWhenReady();
}

void ViewModel::start(AppModel &)
{
}

void ViewModel::classBegin()
{
    m_building = true;
}

void ViewModel::componentComplete()
{
    m_building = false;
    startWhenReady();
}

void ViewModel::startWhenReady()
{
    if (m_building || m_started || !m_app)
        return;
    m_started = true;
    start(*m_app);
}
