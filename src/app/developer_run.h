#pragma once
// Runs of the program for its developers: pictures of windows for the documentation and the
// start-up and Refresh measurements. They use the real program on a real data directory and
// end by themselves.
//   --grab main|save|atmosphere FILE.png   the window as the operator sees it
//   --grab step|sweep|setup|tach|loadcell|demo FILE.png
//                                          a live window on the Demo Dyno, a test running
//   --menu ITEM                            main-menu item (object name, e.g. MPH1) chosen before the picture
//   (repeatable)
//   --measure                              first paint, Refresh of 20 runs (the History's, then each
//                                          "Bench ..." make folder's), resident memory
//   --layout                               the screen, the main window and the graph screen's
//                                          windows once the window system has placed them
#include <QElapsedTimer>
#include <QStringList>

namespace tolvane {

class ApplicationContext;

class DeveloperRun {
public:
    // --grab WHAT FILE, after choosing the main-menu items given.
    static DeveloperRun picture(QString what, QString file, QStringList menuItems);
    // The windows --grab takes.
    static const QStringList& pictureNames();
    // --measure
    static DeveloperRun measurement();
    // --layout
    static DeveloperRun layoutReport();

    // Returns the process exit code: 0 done, 1 a picture could not be written or a menu item
    // does not exist.
    int run(ApplicationContext& context, const QElapsedTimer& sinceStart) const;

    bool operator==(const DeveloperRun&) const = default;

private:
    int grab(ApplicationContext& context) const;
    int measure(ApplicationContext& context, const QElapsedTimer& sinceStart) const;
    int layout(ApplicationContext& context) const;

    QString m_grabWhat;
    QString m_grabFile;
    QStringList m_menuItems;
    bool m_measure = false;
    bool m_layout = false;
};

} // namespace tolvane
