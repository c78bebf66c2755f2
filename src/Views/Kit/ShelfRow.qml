import QtQuick

// The row of cards of a `Shelf`, which its cards find their shelf through:
// `(card.ListView.view as ShelfRow).shelf`.
ListView {
    required property Item shelf
}
