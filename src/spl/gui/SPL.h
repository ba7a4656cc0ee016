#pragma once

#include "i18n/Languages.h"
#include "spl/CellMap.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class MessageSink;
class FieldValidation;

/// The SPL window: the frequency (or a band average), the vertical resolution and the level
/// model of a calculation,
/// the power of each box model and the colour legend of the map. CALCULATE
/// hides the window and shows the busy cursor while the owner runs the
/// calculation (connected to `calculateRequested`); Close hides it. The owner
/// creates it once and shows it modally; hiding keeps every field.
class SPL : public QDialog
{
    Q_OBJECT
public:
    /// Builds the window hidden and runs its load (the frequency list), with
    /// its captions from `languages` (which must hold a language); `messages`
    /// shows the resolution check's messages. Throws LanguageError otherwise.
    SPL(Languages& languages, MessageSink& messages, QWidget* owner);
    ~SPL() override;

    /// The 21 third-octave frequencies of the list, in its order.
    static QStringList frequencyItems();
    /// The colour legend of the map, top first: each swatch's colour (0xRRGGBB) and text.
    static std::vector<std::pair<uint32_t, QString>> legend();

    // Public values, read and written by the main window.
    int16_t frequencia = 100; ///< selected centre frequency, Hz
    float landamig = 1.725f;  ///< half wavelength velso / (2 * frequencia), m
    int16_t velso = 345;      ///< speed of sound, m/s

    /// The text of the vertical resolution field (`Text1`), in the user's form.
    QString resolutionText() const;
    /// Its number in the user's locale, as a single (0 when it is not a number).
    float resolucioy() const;

    /// The map style chosen in `Combo5`: "Distribution" (the default) or "Cells".
    spl::MapStyle mapStyle() const;
    void setMapStyle(spl::MapStyle style);

    /// The level model chosen in `Combo6`: "Classic" (the default) or "Box by box".
    spl::LevelModelKind levelModel() const;
    void setLevelModel(spl::LevelModelKind kind);

    /// Sets `frequencia` from the list's text (unchanged when the text is none
    /// of the items), then `landamig`.
    void Combo4_Click();
    /// Checks the vertical resolution: a text that is not a number keeps the
    /// focus (returns false); a number outside 0.1 .. 1 m is reported; CALCULATE
    /// is enabled only for a number within.
    bool Text1_Validate();
    /// Hides the window and shows the busy cursor, asks for the calculation,
    /// then restores the cursor and hides the window.
    void Command1_Click();
    /// Hides the window.
    void Command2_Click();
    void MostrarRelojArena();
    void MostrarPunteroRaton();

    /// The band average chosen: the range of `ComboBandFrom` and `ComboBandTo`
    /// (125 to 8000 Hz to begin with) and the weighting of `ComboWeighting`,
    /// when `CheckBands` is checked; none (the single band) otherwise. The
    /// lists keep from <= to: choosing a "from" above "to" moves "to" up to
    /// it, a "to" below "from" moves "from" down to it.
    std::optional<spl::BandRange> bandRange() const;
    /// Shows a band average (checked, with its ends and weighting), or the
    /// single band (unchecked, the ends kept as they are).
    void setBandRange(const std::optional<spl::BandRange>& range);

    /// How the band of `settings` reads in the current language: "1000 Hz",
    /// or "125-8000 Hz (A)" for a band average.
    static QString bandText(const CalculationSettings& settings, const Languages& languages);

    /// The band, resolution, style, model and band average the window's fields hold.
    CalculationSettings settings() const;
    /// Shows settings in the fields (the document's, when the window opens).
    void showSettings(const CalculationSettings& settings);

    /// Re-reads the captions from the current language.
    void relabel();

signals:
    /// CALCULATE was pressed: the owner runs the calculation now, while the
    /// window is hidden and the busy cursor shown.
    void calculateRequested();

private:
    void buildLayout();
    void Form_Load();
    void showMessage(const QString& tag);
    void bandsChecked();
    void bandEndChosen(QComboBox* chosen);

    Languages& m_languages;
    MessageSink& m_messages;
    QComboBox* m_combo4 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QComboBox* m_combo5 = nullptr;
    QComboBox* m_combo6 = nullptr;
    QCheckBox* m_checkBands = nullptr;
    QComboBox* m_bandFrom = nullptr;
    QComboBox* m_bandTo = nullptr;
    QComboBox* m_weighting = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    FieldValidation* m_validation = nullptr;
};
