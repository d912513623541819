/// @file
/// THistoryComboBox: a combo box with a most-recent-first history of entered texts that it keeps
/// between runs in an INI file or under a registry key of the current user. A box made from a
/// document (csFromDocument) never loads or saves by itself: the names of its store came with the
/// document.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/stdctrls/ComboBox.h"

/// When the history is loaded (after the stored layout was read) and saved (on destruction): both
/// (hsAuto), never (hsManual: the program calls the Save and Load functions), only saved
/// (hsAutoSave) or only loaded (hsAutoLoad).
enum THistoryMode : std::uint8_t { hsAuto, hsManual, hsAutoSave, hsAutoLoad };

/// The type data of THistoryMode, for publishing and streaming properties by the value names.
const TTypeInfo& TypeInfoOf(TypeTag<THistoryMode>);

class TCustomIniFile;

/// A combo box that keeps the texts entered into it, most recent first, between runs: in an INI
/// file (SaveFileName) or under a registry key of the current user (SaveKeyName, preferred when
/// both are set), in the section SaveSectionName. The program adds a text with AddText, typically
/// when the user confirms it. Like every control, used only on the thread that runs the message
/// loop.
class THistoryComboBox : public TComboBox {
  TAVELKO_CLASS(THistoryComboBox, TComboBox)
  static void Publish(TPublisher<THistoryComboBox>& p);

 public:
  /// The history's one limit, for adding, saving and loading alike (the store is untrusted, and
  /// what the box saves it must load again): at most MaxItems items, each at most MaxItemLength
  /// bytes, cut at a character boundary. Adding beyond MaxItems drops the oldest.
  ///@{
  static constexpr int MaxItems = 4096;
  static constexpr std::size_t MaxItemLength = 4096;
  ///@}

  /// An empty history in hsAuto mode without a store; `owner` (may be null) destroys it.
  explicit THistoryComboBox(TComponent* owner);
  /// Saves the history when SaveMode says so; a failure goes to the application's exception
  /// display.
  ~THistoryComboBox() override;

  /// When the history is loaded and saved by itself (hsAuto at first). Neither happens in design
  /// mode or for a box made from a document.
  ///@{
  THistoryMode SaveMode() const { return saveMode_; }
  void SetSaveMode(THistoryMode value) { saveMode_ = value; }
  ///@}
  /// A path below HKEY_CURRENT_USER; when set, the registry is used instead of the file.
  ///@{
  const String& SaveKeyName() const { return saveKeyName_; }
  void SetSaveKeyName(const String& value) { saveKeyName_ = value; }
  ///@}
  /// The INI file of the history (see SaveToFile(const String&) for how the name is completed);
  /// empty: none.
  ///@{
  const String& SaveFileName() const { return saveFileName_; }
  void SetSaveFileName(const String& value) { saveFileName_ = value; }
  ///@}
  /// The INI section or registry subkey; empty: the component's Name.
  ///@{
  const String& SaveSectionName() const { return saveSectionName_; }
  void SetSaveSectionName(const String& value) { saveSectionName_ = value; }
  ///@}

  /// Puts `text` (cut to MaxItemLength) first. True when it was not among the items (compared
  /// without letter case); false for an empty text or one already there, which moves to the top.
  bool AddText(const String& text);
  /// The edit's current text.
  bool AddText();

  /// Through SaveFileName or SaveKeyName; false without doing anything when that name is empty.
  /// Failures raise as the overloads with a name do.
  ///@{
  bool SaveToFile();
  bool LoadFromFile();
  bool SaveToRegistry();
  bool LoadFromRegistry();
  ///@}
  /// A name without extension gets ".ini"; one without folder is a settings file of the program
  /// (ProgramSettingsPlace: beside it, or in the user's settings folder once installed). The
  /// section is replaced as a whole: the file changes only when everything was written. Saving
  /// raises EIniFileException when the section's name is empty. Saves at most MaxItems items.
  void SaveToFile(const String& name);
  /// Appends the stored items while the box holds fewer than MaxItems; a HistoryCount that is no
  /// number raises EConvertError.
  void LoadFromFile(const String& name);
  /// `key` lies below HKEY_CURRENT_USER; nothing for an empty key. Saving ignores trailing
  /// backslashes (nothing for a key made only of them); the registry reads such a key as the same.
  /// Loading appends the stored items up to MaxItems, as LoadFromFile does.
  ///@{
  void SaveToRegistry(const String& key);
  void LoadFromRegistry(const String& key);
  ///@}
  /// Into the section of any settings store, replacing it: the items first, then the count, then
  /// whatever else the section held goes. A save that fails half way never leaves the section
  /// empty: the previous count stays, with the items written so far in front of the previous ones.
  void SaveToStore(TCustomIniFile& store);

  /// The section or subkey the stores use: SaveSectionName, or the component's Name when empty.
  String GetSectionString() const;

 protected:
  /// Loads the history when SaveMode says so; a failure goes to the application's exception
  /// display rather than failing the whole layout.
  void Loaded() override;

 private:
  bool Loads() const { return saveMode_ == hsAuto || saveMode_ == hsAutoLoad; }
  bool Saves() const { return saveMode_ == hsAuto || saveMode_ == hsAutoSave; }
  /// Neither designed nor made from a document: SaveMode applies.
  bool Automatic() const;
  void LoadAutomatically();
  void SaveAutomatically();
  /// Appends History0..count-1 to the items, as many as keep them within MaxItems.
  void AppendHistory(TCustomIniFile& store, int count);

  THistoryMode saveMode_ = hsAuto;
  String saveKeyName_;
  String saveFileName_;
  String saveSectionName_;
};

/// Lets the component stream create THistoryComboBox by its class name.
void RegisterHistoryComboBoxClasses();
