#include "VLCVideoView.h"

#include "Support/AssignIfChanged.h"

#include <QMutexLocker>

#include <cstdlib>

namespace {

// The decoder's converters are fastest on 64-byte aligned lines and planes padded to whole blocks.
constexpr qsizetype lineAlignment = 64;
constexpr int lineBlock = 32;

constexpr qsizetype roundedUp(qsizetype value, qsizetype multiple)
{
    return (value + multiple - 1) / multiple * multiple;
}

} // namespace

VLCVideoView::VLCVideoView(QObject *parent)
    : QObject(parent)
{
}

VLCVideoView::~VLCVideoView() = default;

VLCVideoView::Layout VLCVideoView::configure(QSize pictureSize)
{
    const QMutexLocker locker(&m_mutex);
    m_pictureSize = pictureSize;
    m_layout = {roundedUp(qsizetype(pictureSize.width()) * 4, lineAlignment),
                int(roundedUp(pictureSize.height(), lineBlock))};
    m_buffers.clear();
    return m_layout;
}

quintptr VLCVideoView::lock(uchar **pixels)
{
    const QMutexLocker locker(&m_mutex);
    // A buffer is free when only this pool refers to it: it is neither the newest picture nor
    // held by a reader, and the decoder is not writing it.
    qsizetype index = 0;
    while (index < m_buffers.size() && (m_buffers[index].locked || !m_buffers[index].image.isDetached()))
        ++index;
    if (index == m_buffers.size())
        m_buffers.append({allocate(), false});
    Buffer &buffer = m_buffers[index];
    buffer.locked = true;
    *pixels = buffer.image.isNull() ? nullptr : buffer.image.bits();
    return quintptr(index + 1);
}

void VLCVideoView::unlock(quintptr buffer)
{
    const QMutexLocker locker(&m_mutex);
    if (Buffer *handedOut = find(buffer))
        handedOut->locked = false;
}

void VLCVideoView::display(quintptr buffer)
{
    {
        const QMutexLocker locker(&m_mutex);
        const Buffer *shown = find(buffer);
        if (!shown || shown->image.isNull())
            return;
        m_latest = shown->image;
        ++m_sequence;
    }
    if (!m_notificationPending.exchange(true))
        Q_EMIT frameReady();
}

void VLCVideoView::unconfigure()
{
    const QMutexLocker locker(&m_mutex);
    // Readers keep the pictures they hold; the newest one stays until the next title.
    m_buffers.clear();
    m_pictureSize = {};
    m_layout = {};
}

VLCVideoView::Frame VLCVideoView::latestFrame() const
{
    m_notificationPending = false;
    const QMutexLocker locker(&m_mutex);
    return {m_latest, m_sequence};
}

void VLCVideoView::setFillScreen(bool fill)
{
    if (assignIfChanged(m_fillScreen, fill))
        Q_EMIT fillScreenChanged();
}

void VLCVideoView::setDisplaySize(const QSizeF &size)
{
    if (assignIfChanged(m_displaySize, size))
        Q_EMIT displaySizeChanged();
}

void VLCVideoView::clear()
{
    {
        const QMutexLocker locker(&m_mutex);
        m_latest = QImage();
        ++m_sequence;
    }
    setDisplaySize({});
    m_notificationPending = false;
    Q_EMIT frameReady();
}

VLCVideoView::Buffer *VLCVideoView::find(quintptr buffer)
{
    return buffer > 0 && qsizetype(buffer) <= m_buffers.size() ? &m_buffers[qsizetype(buffer) - 1] : nullptr;
}

QImage VLCVideoView::allocate() const
{
    const auto bytes = size_t(m_layout.bytesPerLine) * size_t(m_layout.lines);
    if (bytes == 0)
        return {};
    void *data = std::aligned_alloc(lineAlignment, bytes);
    if (!data)
        return {};
    // The pixels live as long as the last copy of the image, wherever a reader keeps it.
    return QImage(static_cast<uchar *>(data), m_pictureSize.width(), m_pictureSize.height(), m_layout.bytesPerLine,
                  QImage::Format_RGB32, [](void *pixels) { std::free(pixels); }, data);
}
