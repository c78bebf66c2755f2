#pragma once

#include <QImage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSizeF>

#include <atomic>

// Where the native player draws: it decodes 32-bit RGB pictures into this view's buffers on its
// own threads, and the newest complete picture is handed to whoever shows it (the video surface on
// the render thread) without copying and without ever being written while it is shown.
class VLCVideoView final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool fillScreen READ fillScreen WRITE setFillScreen NOTIFY fillScreenChanged)
    Q_PROPERTY(QSizeF displaySize READ displaySize NOTIFY displaySizeChanged)

public:
    // One picture as the decoder delivered it, numbered so that a reader can tell a new one.
    struct Frame
    {
        QImage image;
        quint64 sequence = 0;
    };

    // How the decoder lays out one picture in a buffer.
    struct Layout
    {
        qsizetype bytesPerLine = 0;
        int lines = 0;
    };

    explicit VLCVideoView(QObject *parent = nullptr);
    ~VLCVideoView() override;

    // Decoder side, any thread. Buffers are handed out by an identifier (never 0) from lock() until
    // unlock(); display() makes one the newest picture.
    [[nodiscard]] Layout configure(QSize pictureSize);
    [[nodiscard]] quintptr lock(uchar **pixels);
    void unlock(quintptr buffer);
    void display(quintptr buffer);
    void unconfigure();

    // Any thread: the newest picture, null before the first.
    [[nodiscard]] Frame latestFrame() const;

    // Main thread.
    [[nodiscard]] bool fillScreen() const { return m_fillScreen; }
    void setFillScreen(bool fill);
    // The picture's shape on screen (its pixel size with the sample aspect applied); empty
    // while unknown, in which case the buffer's size stands for it.
    [[nodiscard]] QSizeF displaySize() const { return m_displaySize; }
    void setDisplaySize(const QSizeF &size);
    // Forgets the picture shown, so that a new title never starts on the previous one's last frame.
    void clear();

Q_SIGNALS:
    // A new picture is ready; emitted on the decoder's thread, at most once until it is read.
    void frameReady();
    void fillScreenChanged();
    void displaySizeChanged();

private:
    struct Buffer
    {
        QImage image;
        bool locked = false;
    };

    // The buffer that lock() handed out under this identifier; none for an unknown one. Called
    // with the mutex held.
    [[nodiscard]] Buffer *find(quintptr buffer);
    [[nodiscard]] QImage allocate() const;

    mutable QMutex m_mutex;
    QSize m_pictureSize;
    Layout m_layout;
    QList<Buffer> m_buffers;
    QImage m_latest;
    quint64 m_sequence = 0;
    mutable std::atomic_bool m_notificationPending = false;

    bool m_fillScreen = false;
    QSizeF m_displaySize;
};
