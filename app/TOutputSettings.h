#pragma once
// Choices about the pictures that leave the program, kept in the per-user settings store in
// a group of their own, "Output", beside the recent files' group. The store is handed in.
class QSettings;

class TOutputSettings
{
  public:
    explicit TOutputSettings(QSettings& Settings) : Store(Settings) {}

    // "Copy at screen resolution" (value CopyAtScreenResolution, 1 or 0): Copy puts the
    // picture on the clipboard in the screen's device pixels rather than at the plot
    // surface's logical size. Off when the value is missing or not a number.
    bool CopyAtScreenResolution() const;
    void SetCopyAtScreenResolution(bool Value);

  private:
    QSettings& Store;
};
