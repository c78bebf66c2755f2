#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The seek bar's state and geometry: how far the bar is filled, where the knob and the hover label
// sit, and which positions a drag reports. It never seeks by itself: it reports positions while a
// drag moves (scrubbed) and once when it ends (committed), and its owner decides what they do.
// A drag that can no longer seek when it ends (the title stopped being seekable, or lost its
// length) ends with cancelled, so that the owner never keeps showing a dragged position.
class ScrubberModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY geometryChanged)
    Q_PROPERTY(double total READ total WRITE setTotal NOTIFY geometryChanged)
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY geometryChanged)
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY geometryChanged)
    Q_PROPERTY(bool hovering READ isHovering NOTIFY geometryChanged)
    Q_PROPERTY(bool dragging READ isDragging NOTIFY geometryChanged)
    Q_PROPERTY(bool active READ isActive NOTIFY geometryChanged)
    Q_PROPERTY(double fraction READ fraction NOTIFY geometryChanged)
    Q_PROPERTY(double fillWidth READ fillWidth NOTIFY geometryChanged)
    Q_PROPERTY(double knobX READ knobX NOTIFY geometryChanged)
    Q_PROPERTY(bool knobVisible READ isKnobVisible NOTIFY geometryChanged)
    Q_PROPERTY(bool labelVisible READ isLabelVisible NOTIFY geometryChanged)
    Q_PROPERTY(double labelX READ labelX NOTIFY geometryChanged)
    // The hover label's time: "1:05:09".
    Q_PROPERTY(QString hoverText READ hoverText NOTIFY geometryChanged)
    Q_PROPERTY(double knobSize READ knobSizeValue CONSTANT)

public:
    static constexpr double knobSize = 15;
    // The width the hover label is placed by; the label itself is as wide as its text needs.
    static constexpr double labelSlot = 56;

    using QObject::QObject;

    [[nodiscard]] double knobSizeValue() const { return knobSize; }

    [[nodiscard]] double value() const { return m_value; }
    void setValue(double value);
    [[nodiscard]] double total() const { return m_total; }
    void setTotal(double total);
    [[nodiscard]] bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    [[nodiscard]] double width() const { return m_width; }
    void setWidth(double width);

    [[nodiscard]] bool isHovering() const { return m_hoverX.has_value(); }
    [[nodiscard]] bool isDragging() const { return m_dragging; }
    [[nodiscard]] bool isActive() const { return m_dragging || m_hoverX; }
    // value / total within 0 and 1; 0 without a positive total.
    [[nodiscard]] double fraction() const;
    [[nodiscard]] double fillWidth() const { return m_width * fraction(); }
    // The knob's left edge: its centre sits on the end of the fill.
    [[nodiscard]] double knobX() const { return fillWidth() - knobSize / 2; }
    [[nodiscard]] bool isKnobVisible() const { return m_enabled && isActive(); }
    [[nodiscard]] bool isLabelVisible() const { return m_hoverX && m_total > 0; }
    // The label's left edge: centred on the pointer, kept inside the bar (a bar narrower than the
    // label puts it left of the bar).
    [[nodiscard]] double labelX() const;
    // The position under the hovering pointer, in seconds.
    [[nodiscard]] double hoverPosition() const;
    [[nodiscard]] QString hoverText() const;

    // The position of a point of the bar: the total times its share of the width, within 0 and the
    // total; none while the bar has no width to divide by.
    [[nodiscard]] std::optional<double> positionAt(double x) const;

    // Pointer events in the bar's own coordinates. A press starts a drag (a plain click is a drag
    // that does not move).
    Q_INVOKABLE void hover(double x);
    Q_INVOKABLE void endHover();
    Q_INVOKABLE void press(double x);
    Q_INVOKABLE void move(double x);
    Q_INVOKABLE void release(double x);
    // The pointer was taken away mid-drag: the drag ends without a seek.
    Q_INVOKABLE void cancel();

Q_SIGNALS:
    void geometryChanged();
    void scrubbed(double position);
    void committed(double position);
    void cancelled();

private:
    // Whether a drag may report positions now.
    [[nodiscard]] bool canSeek() const { return m_enabled && m_total > 0 && m_width > 0; }

    double m_value = 0;
    double m_total = 0;
    bool m_enabled = true;
    double m_width = 0;
    std::optional<double> m_hoverX;
    bool m_dragging = false;
};
