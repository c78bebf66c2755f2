#pragma once

#include "FakeResponse.h"

#include <QDateTime>
#include <QStringList>

// A generated XMLTV guide: every channel gets back-to-back programmes from `start` on. Each
// channel writes its times in another zone form (+0000, +0100, -0500, +05:30, UTC), titles
// carry entities and CDATA, and the document is produced piece by piece at any size.
struct FakeGuide
{
    QDateTime start;
    QStringList channelIDs;
    int programmesPerChannel = 24;
    int minutesPerProgramme = 30;
    int descriptionLength = 60;
    bool truncated = false; // the document stops after the last programme, without "</tv>"

    [[nodiscard]] qint64 programmeCount() const { return qint64(channelIDs.size()) * programmesPerChannel; }
    [[nodiscard]] FakeResponse::BodySource source() const;
    // A guide without end: after the channels, programmes of the channels in turn, each on
    // for the guide's whole span from `start` (programmesPerChannel x minutesPerProgramme) and
    // titled with a running number, so that every one is current and none repeats; no "</tv>"
    // (a guide without channels ends after its head).
    [[nodiscard]] FakeResponse::BodySource endlessSource() const;
};
