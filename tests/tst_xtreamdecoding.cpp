#include "Provider/XtreamDocuments.h"
#include "Provider/XtreamObjectDecoder.h"
#include "support/Outcome.h"

#include <QTest>

using namespace Qt::StringLiterals;

char *toString(const ContentItem &item)
{
    const auto text = [](const std::optional<QString> &value) { return value ? u'"' + *value + u'"' : u"-"_s; };
    const auto number = [](const auto &value) { return value ? QString::number(*value) : u"-"_s; };
    return qstrdup(u"{%1 id=%2 title=%3 category=%4 subtitle=%5 epg=%6 artwork=%7 extension=%8 num=%9 rating=%10 "
                   "added=%11 genre=%12}"_s
                       .arg(kindText(item.kind), text(item.providerID), text(item.title), text(item.categoryID),
                            text(item.subtitle), text(item.epgChannelID), text(item.artworkURL),
                            text(item.containerExtension), number(item.sortNumber))
                       .arg(number(item.rating), number(item.addedAt), text(item.genre))
                       .toUtf8()
                       .constData());
}

namespace {

ContentItem item(CatalogueKind kind, const QString &providerID, const QString &title)
{
    return {.kind = kind, .providerID = providerID, .title = title};
}

ContentItem with(ContentItem base, const std::function<void(ContentItem &)> &change)
{
    change(base);
    return base;
}

} // namespace

// Test bodies stand outside the class: their JSON texts would confuse moc's reading of it.
class XtreamDecodingTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesItems_data();
    void decodesItems();
    void rejectsUnusableItems_data();
    void rejectsUnusableItems();
    void decodesCategories();
    void failsAWholeBatch();
    void checksAccountReplies_data();
    void checksAccountReplies();
};

void XtreamDecodingTest::decodesItems_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<CatalogueKind>("kind");
    QTest::addColumn<ContentItem>("expected");

    const auto live = CatalogueKind::Live;
    const auto movie = CatalogueKind::Movie;
    const auto series = CatalogueKind::Series;

    QTest::newRow("live channel, first keys")
        << QByteArray(R"({"num":3,"name":"News","stream_type":"live","stream_id":1234,"stream_icon":"http:\/\/img\/1.png",
            "epg_channel_id":"news.uk","added":"1600000000","category_id":"5","genre":"News","rating":"7.5",
            "container_extension":"ts","plot":"Headlines","tv_archive":0,"category_ids":[5]})")
        << live << with(item(live, u"1234"_s, u"News"_s), [](ContentItem &expected) {
               expected.sortNumber = 3;
               expected.artworkURL = u"http://img/1.png"_s;
               expected.epgChannelID = u"news.uk"_s;
               expected.addedAt = 1600000000;
               expected.categoryID = u"5"_s;
               expected.rating = 7.5;
               expected.containerExtension = u"ts"_s;
               expected.subtitle = u"Headlines"_s;
           });
    QTest::newRow("film keeps its genre and ignores a guide id")
        << QByteArray(R"json({"stream_id":"77","name":"Heat (1995)","epg_channel_id":"x","genre":"Crime","rating":8})json")
        << movie << with(item(movie, u"77"_s, u"Heat (1995)"_s), [](ContentItem &expected) {
               expected.genre = u"Crime"_s;
               expected.rating = 8;
           });
    QTest::newRow("series are identified by series_id")
        << QByteArray(R"({"series_id":9,"stream_id":5,"name":"Dark","cover":"c.jpg"})") << series
        << with(item(series, u"9"_s, u"Dark"_s), [](ContentItem &expected) { expected.artworkURL = u"c.jpg"_s; });
    QTest::newRow("film does not read series_id")
        << QByteArray(R"({"series_id":9,"id":5,"name":"Dark"})") << movie << item(movie, u"5"_s, u"Dark"_s);
    QTest::newRow("later keys stand in for empty and null ones")
        << QByteArray(R"({"stream_id":"","id":77,"name":null,"stream_display_name":"N","stream_icon":"","cover_big":"big",
            "container_extension":"","extension":"mp4","rating":null,"rating_5based":4.5,"added":"","last_modified":"17",
            "plot":"","description":"d"})")
        << movie << with(item(movie, u"77"_s, u"N"_s), [](ContentItem &expected) {
               expected.artworkURL = u"big"_s;
               expected.containerExtension = u"mp4"_s;
               expected.rating = 4.5;
               expected.addedAt = 17;
               expected.subtitle = u"d"_s;
           });
    QTest::newRow("title, then stream_display_name order")
        << QByteArray(R"({"id":1,"title":"T","stream_display_name":"S"})") << live << item(live, u"1"_s, u"S"_s);
    QTest::newRow("director as the last subtitle")
        << QByteArray(R"({"id":1,"name":"N","director":"D","epg_channel":"e","icon":"i"})") << live
        << with(item(live, u"1"_s, u"N"_s), [](ContentItem &expected) {
               expected.subtitle = u"D"_s;
               expected.epgChannelID = u"e"_s;
               expected.artworkURL = u"i"_s;
           });
    QTest::newRow("guide id from tvg_id and channel_id")
        << QByteArray(R"({"id":1,"name":"N","epg_channel_id":"","tvg_id":null,"channel_id":"ch"})") << live
        << with(item(live, u"1"_s, u"N"_s), [](ContentItem &expected) { expected.epgChannelID = u"ch"_s; });
    QTest::newRow("integers from texts: leading zero and sign")
        << QByteArray(R"({"id":1,"name":"N","num":"012","added":"+1600000000"})") << live
        << with(item(live, u"1"_s, u"N"_s), [](ContentItem &expected) {
               expected.sortNumber = 12;
               expected.addedAt = 1600000000;
           });
    QTest::newRow("integers refuse fractions, exponents and blanks")
        << QByteArray(R"({"id":1,"name":"N","num":"12.0","added":" 5"})") << live << item(live, u"1"_s, u"N"_s);
    QTest::newRow("an integral floating-point number is an integer")
        << QByteArray(R"({"id":1,"name":"N","num":12.0,"added":1.5})") << live
        << with(item(live, u"1"_s, u"N"_s), [](ContentItem &expected) { expected.sortNumber = 12; });
    QTest::newRow("integer beyond 64 bits")
        << QByteArray(R"({"id":1,"name":"N","num":"9223372036854775808"})") << live << item(live, u"1"_s, u"N"_s);
    QTest::newRow("rating 0 is no rating") << QByteArray(R"({"id":1,"name":"N","rating":0})") << movie
                                           << item(movie, u"1"_s, u"N"_s);
    QTest::newRow("rating \"0\" is no rating and hides the 5-based one")
        << QByteArray(R"({"id":1,"name":"N","rating":"0","rating_5based":4})") << movie << item(movie, u"1"_s, u"N"_s);
    QTest::newRow("unreadable rating")
        << QByteArray(R"({"id":1,"name":"N","rating":"n/a"})") << movie << item(movie, u"1"_s, u"N"_s);
    QTest::newRow("negative rating") << QByteArray(R"({"id":1,"name":"N","rating":-2})") << movie
                                     << item(movie, u"1"_s, u"N"_s);
    QTest::newRow("rating with exponent")
        << QByteArray(R"({"id":1,"name":"N","rating":"75e-1"})") << movie
        << with(item(movie, u"1"_s, u"N"_s), [](ContentItem &expected) { expected.rating = 7.5; });
    QTest::newRow("numbers as texts: true, fraction, big integer")
        << QByteArray(R"({"stream_id":true,"name":12.5,"category_id":123456789012345678901234567890})") << live
        << with(item(live, u"1"_s, u"12.5"_s), [](ContentItem &expected) {
               expected.categoryID = u"123456789012345678901234567890"_s;
           });
    QTest::newRow("false and large doubles as texts")
        << QByteArray(R"({"stream_id":false,"name":1e20,"plot":-0.25,"category_id":1700000000.0})") << live
        << with(item(live, u"0"_s, u"1e+20"_s), [](ContentItem &expected) {
               expected.subtitle = u"-0.25"_s;
               expected.categoryID = u"1700000000"_s;
           });
    QTest::newRow("escapes and other scripts")
        << QByteArray(R"({"id":"a\/b","name":"Caf\u00e9 \"Noir\" \ud83c\udfac","plot":"Канал"})") << live
        << with(item(live, u"a/b"_s, u"Café \"Noir\" 🎬"_s), [](ContentItem &expected) { expected.subtitle = u"Канал"_s; });
    // One odd character costs only itself: a lone half of a surrogate pair becomes U+FFFD, a
    // NUL is dropped (a search and a guide id would stop at it), an escaped backslash stays.
    QTest::newRow("lone surrogates and NULs")
        << QByteArray(R"({"id":"9","name":"A\ud800B \udc00\\ud800 \ud83c\udfac","plot":"x\u0000y","epg_channel_id":"news\u0000.uk"})")
        << live << with(item(live, u"9"_s, u"A\uFFFDB \uFFFD\\ud800 🎬"_s), [](ContentItem &expected) {
               expected.subtitle = u"xy"_s;
               expected.epgChannelID = u"news.uk"_s;
           });
    QTest::newRow("texts are kept as sent") << QByteArray(R"({"id":" 7 ","name":" N ","stream_icon":"not an address"})")
                                            << live << with(item(live, u" 7 "_s, u" N "_s), [](ContentItem &expected) {
                                                   expected.artworkURL = u"not an address"_s;
                                               });
}

void XtreamDecodingTest::decodesItems()
{
    QFETCH(QByteArray, json);
    QFETCH(CatalogueKind, kind);
    QFETCH(ContentItem, expected);

    XtreamObjectDecoder decoder;
    QCOMPARE(decoder.contentItem(json, kind), expected);
    // The decoder is reused across objects; a second object does not inherit the first one's fields.
    QCOMPARE(decoder.contentItem(R"({"id":"2","name":"Other"})", kind), item(kind, u"2"_s, u"Other"_s));
}

void XtreamDecodingTest::rejectsUnusableItems_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("failure");

    QTest::newRow("no id") << QByteArray(R"({"name":"N"})") << unreadableResponse;
    QTest::newRow("empty ids") << QByteArray(R"({"stream_id":"","id":null,"name":"N"})") << unreadableResponse;
    QTest::newRow("id as an object") << QByteArray(R"({"stream_id":{"v":1},"name":"N"})") << unreadableResponse;
    QTest::newRow("no title") << QByteArray(R"({"stream_id":1,"plot":"P"})") << unreadableResponse;
    QTest::newRow("array") << QByteArray(R"([{"stream_id":1,"name":"N"}])") << unreadableResponse;
    QTest::newRow("text") << QByteArray(R"("stream")") << unreadableResponse;
    QTest::newRow("trailing comma") << QByteArray(R"({"stream_id":1,"name":"N",})") << parseError;
    QTest::newRow("missing colon") << QByteArray(R"({"stream_id" 1,"name":"N"})") << parseError;
    QTest::newRow("unquoted key") << QByteArray(R"({stream_id:1,"name":"N"})") << parseError;
    QTest::newRow("bad escape") << QByteArray(R"({"stream_id":1,"name":"\q"})") << parseError;
    QTest::newRow("not UTF-8") << QByteArray("{\"stream_id\":1,\"name\":\"\xff\"}") << parseError;
    QTest::newRow("empty") << QByteArray() << parseError;
}

void XtreamDecodingTest::rejectsUnusableItems()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, failure);

    XtreamObjectDecoder decoder;
    QCOMPARE(outcome([&] { (void)decoder.contentItem(json, CatalogueKind::Live); }), failure);
}

void XtreamDecodingTest::decodesCategories()
{
    XtreamObjectDecoder decoder;
    const QList<Category> categories = decoder.categories(
        {R"({"category_id":"5","category_name":"UK: News","parent_id":0})", R"({"id":7,"name":"Films"})",
         R"({"category_id":"","id":"3","category_name":"","name":"Kids"})"},
        CatalogueKind::Movie);
    QCOMPARE(categories, (QList<Category>{{CatalogueKind::Movie, u"5"_s, u"UK: News"_s, 0},
                                             {CatalogueKind::Movie, u"7"_s, u"Films"_s, 0},
                                             {CatalogueKind::Movie, u"3"_s, u"Kids"_s, 0}}));
    QCOMPARE(decoder.category(R"({"category_id":"6","category_name":"\udbff News"})", CatalogueKind::Live).name,
             u"\uFFFD News"_s);
    QCOMPARE(outcome([&] { (void)decoder.category(R"({"category_id":"5"})", CatalogueKind::Live); }),
             unreadableResponse);
    QCOMPARE(outcome([&] { (void)decoder.category(R"({"category_name":"News"})", CatalogueKind::Live); }),
             unreadableResponse);
}

void XtreamDecodingTest::failsAWholeBatch()
{
    XtreamObjectDecoder decoder;
    const QList<QByteArray> batch = {R"({"id":1,"name":"A"})", R"({"id":2})", R"({"id":3,"name":"C"})"};
    QCOMPARE(outcome([&] { (void)decoder.contentItems(batch, CatalogueKind::Live); }), unreadableResponse);
    QCOMPARE(outcome([&] { (void)decoder.categories({R"({"id":1,"name":"A"})", "{"}, CatalogueKind::Live); }),
             parseError);
}

void XtreamDecodingTest::checksAccountReplies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("verdict");

    QTest::newRow("auth as number 1") << QByteArray(R"({"user_info":{"auth":1,"status":"Active"}})") << QString();
    QTest::newRow("auth as text 1") << QByteArray(R"({"user_info":{"auth":"1"}})") << QString();
    QTest::newRow("auth TRUE") << QByteArray(R"({"user_info":{"auth":"TRUE"}})") << QString();
    QTest::newRow("auth true as a JSON boolean") << QByteArray(R"({"user_info":{"auth":true}})") << QString();
    QTest::newRow("auth 0") << QByteArray(R"({"user_info":{"auth":0}})") << rejectedLogin;
    QTest::newRow("auth false") << QByteArray(R"({"user_info":{"auth":"false"}})") << rejectedLogin;
    QTest::newRow("auth yes") << QByteArray(R"({"user_info":{"auth":"yes"}})") << rejectedLogin;
    QTest::newRow("auth empty") << QByteArray(R"({"user_info":{"auth":""}})") << rejectedLogin;
    QTest::newRow("auth 1.0 is not 1") << QByteArray(R"({"user_info":{"auth":"1.0"}})") << rejectedLogin;
    QTest::newRow("no user_info") << QByteArray(R"({"server_info":{}})") << rejectedLogin;
    QTest::newRow("user_info not an object") << QByteArray(R"({"user_info":[{"auth":1}]})") << rejectedLogin;
    QTest::newRow("status ACTIVE") << QByteArray(R"({"user_info":{"auth":1,"status":"ACTIVE"}})") << QString();
    QTest::newRow("status Expired") << QByteArray(R"({"user_info":{"auth":1,"status":"Expired"}})") << inactiveAccount;
    QTest::newRow("status empty counts as absent") << QByteArray(R"({"user_info":{"auth":1,"status":""}})") << QString();
    QTest::newRow("root message") << QByteArray(R"({"user_info":{"auth":1},"message":"Max connections"})") << accountError;
    QTest::newRow("root error") << QByteArray(R"({"user_info":{"auth":1},"error":"x"})") << accountError;
    QTest::newRow("empty root message") << QByteArray(R"({"user_info":{"auth":1},"message":""})") << QString();
    QTest::newRow("message inside user_info is not looked at")
        << QByteArray(R"({"user_info":{"auth":1,"message":"Welcome"}})") << QString();
    QTest::newRow("refusal comes before inactivity and messages")
        << QByteArray(R"({"user_info":{"auth":0,"status":"Banned"},"message":"x"})") << rejectedLogin;
    QTest::newRow("inactivity comes before messages")
        << QByteArray(R"({"user_info":{"auth":1,"status":"Banned"},"message":"x"})") << inactiveAccount;
    QTest::newRow("root not an object") << QByteArray(R"([{"user_info":{"auth":1}}])") << unreadableResponse;
    QTest::newRow("not JSON") << QByteArray("<html>Forbidden</html>") << parseError;
    QTest::newRow("empty body") << QByteArray() << parseError;
}

void XtreamDecodingTest::checksAccountReplies()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, verdict);

    QCOMPARE(outcome([&] { XtreamDocuments::checkAccountReply(body); }), verdict);
}

QTEST_GUILESS_MAIN(XtreamDecodingTest)
#include "tst_xtreamdecoding.moc"
