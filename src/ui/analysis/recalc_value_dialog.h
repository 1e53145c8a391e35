#pragma once
// What the inertia and tach-ratio dialogs share: the run's relative path, one value box with its
// slider, "Apply" and Cancel. Moving the slider writes its position / 1000 into the value box;
// every readable value in the box is previewed on the graph; "Apply" closes the dialog and lets
// the tool rewrite the current run's text. The dialogs stay on top and are shown, never run
// modally, so the graph stays usable beside them.
#include <QDialog>

#include "core/analysis/recalc_run.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tolvane {

class RecalcValueDialog : public QDialog {
    Q_OBJECT
public:
    struct SliderRange {
        int minimum;
        int maximum;
        int singleStep;
        int pageStep;
    };

    QLabel* fileNameLabel() const { return m_fileName; }
    QLineEdit* valueBox() const { return m_value; }
    QScrollBar* slider() const { return m_slider; }
    QPushButton* applyButton() const { return m_apply; }
    QPushButton* cancelButton() const { return m_cancel; }

    // "Apply": a readable value closes the dialog and is saved into the text; an unreadable one
    // is reported and the dialog stays.
    void applyValue();

signals:
    // A preview was drawn: the main window brings the graph forward.
    void previewDrawn();

protected:
    RecalcValueDialog(RecalcContext& context, const QString& caption, const QString& valueLabel,
                      SliderRange range, QWidget* parent);

    // The tool's preview and its rewrite of the text.
    virtual bool preview(double value) = 0;
    virtual bool save(double value) = 0;

    // F_Name := line 2 of the notes.
    void showFileName();
    // Puts a value into the box and previews it, even when the box already held that text.
    void showValueText(const QString& text);
    void setSliderQuietly(int position);

    RecalcContext& m_context;
    QHBoxLayout* m_buttons = nullptr;

private:
    void sliderMoved(int position);
    void previewText(const QString& text);

    QLabel* m_fileName = nullptr;
    QLineEdit* m_value = nullptr;
    QScrollBar* m_slider = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tolvane
