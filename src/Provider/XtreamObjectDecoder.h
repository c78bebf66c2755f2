#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <memory>

// Decodes the objects of a provider's category and item lists into records. One decoder keeps
// its parser's buffers from one object to the next, so a download uses one decoder throughout;
// it is not shared between threads.
class XtreamObjectDecoder
{
public:
    XtreamObjectDecoder();
    ~XtreamObjectDecoder();
    XtreamObjectDecoder(XtreamObjectDecoder &&) noexcept;
    XtreamObjectDecoder &operator=(XtreamObjectDecoder &&) noexcept;

    // Throw JSONParseError for text that is not JSON, and XtreamAPIError::invalidResponse()
    // for a value that is not an object or lacks its id or its name.
    [[nodiscard]] Category category(QByteArrayView objectText, CatalogueKind kind);
    [[nodiscard]] ContentItem contentItem(QByteArrayView objectText, CatalogueKind kind);

    // A batch decodes whole or not at all: the first object that fails fails the batch.
    [[nodiscard]] QList<Category> categories(const QList<QByteArray> &objectTexts, CatalogueKind kind);
    [[nodiscard]] QList<ContentItem> contentItems(const QList<QByteArray> &objectTexts, CatalogueKind kind);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
