#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Where one running program writes the artwork it is still downloading: a folder of its own in
// the cache's ".partial" folder, with a lock file beside it held for as long as the program runs.
// Programs that share the cache (a second window, a screenshot run) thus never remove each
// other's downloads in progress; the folder goes when its owner ends, and what a program that
// crashed left behind goes with the next sweep of any other.
class ArtworkStaging final
{
public:
    // Makes the folder under `parent` (the ".partial" folder). A folder that cannot be made
    // makes every download fail, quietly.
    explicit ArtworkStaging(const QString &parent);
    // Removes the folder with whatever it still holds.
    ~ArtworkStaging();

    ArtworkStaging(const ArtworkStaging &) = delete;
    ArtworkStaging &operator=(const ArtworkStaging &) = delete;

    [[nodiscard]] const QString &path() const { return m_path; }

    // Removes the folders under `parent` whose program no longer runs, and the loose files that
    // earlier versions downloaded straight into it. Safe on any thread.
    static void removeAbandoned(const QString &parent);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
