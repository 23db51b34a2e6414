#pragma once

#include <QWidget>

#include <functional>

class BrowserSearchThread;
class Prompts;
class QButtonGroup;
class QComboBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QTimer;
struct Settings;

// The "Général" tab of the preferences: the paths of the two browsers, the
// search for their programs on disk and the browser options.
class BrowserPathsPage : public QWidget
{
    Q_OBJECT
public:
    // Asks the user for a program file, starting in a folder; empty when
    // cancelled.
    using FileChooser = std::function<QString(QWidget *parent, const QString &startFolder)>;

    BrowserPathsPage(Prompts &prompts, QWidget *parent = nullptr);
    ~BrowserPathsPage() override;

    void load(const Settings &settings);
    void store(Settings &settings) const;

    // Replaces the list of folders a search can start from.
    void setSearchRoots(const QStringList &roots);
    // Replaces the file dialog of "&Parcourir..." (tests).
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    bool isSearching() const;
    // Ends a running search and waits for it.
    void stopSearch();

signals:
    void searchEnded();

private:
    // The family of the checked radio button (1 or 2), 0 when none is.
    int checkedFamily() const;
    QLineEdit *pathField(int family) const;
    QString selectedRoot() const;
    bool warnWithoutFamily();
    void setSearching(bool searching);

    void startSearch();
    void addHit(const QString &path);
    void searchFinished(int hits);
    void useHit(QListWidgetItem *item);
    void browse();
    void animate();

    Prompts &m_prompts;
    FileChooser m_chooseFile;
    BrowserSearchThread *m_search;
    QTimer *m_animation;
    int m_animationStep = 0;

    QButtonGroup *m_families;
    QRadioButton *m_family1;
    QRadioButton *m_family2;
    QLineEdit *m_path1;
    QLineEdit *m_path2;
    QComboBox *m_roots;
    QPushButton *m_searchButton;
    QPushButton *m_stopButton;
    QPushButton *m_browseButton;
    QListWidget *m_hits;
    QLabel *m_result;
    QCheckBox *m_modernExplorer;
};
