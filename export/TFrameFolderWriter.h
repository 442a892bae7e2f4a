#pragma once
// A folder of numbered PNGs, frame0001.png, frame0002.png, ... The frames are written into
// a temporary folder beside the target, which takes the target's place only when every frame
// is written. A target that exists must be a folder holding nothing but such frames (an
// earlier export): it is replaced whole, and kept as it was when anything fails. Errors name the
// folder as it was given, never the temporary one. With a TPartialOutput, the temporary folder
// is held by it and every step on disk taken through it.
#include "export/TFrameSink.h"

#include <QString>

class TPartialOutput;

class TFrameFolderWriter : public TFrameSink
{
  public:
    explicit TFrameFolderWriter(const QString& Folder, TPartialOutput* Partial = nullptr);
    ~TFrameFolderWriter() override;
    void Add(const QImage& Frame) override;
    void Commit() override;

    // The name of frame Index (0 the first) in the folder.
    static QString FrameName(int Index);

  private:
    // Moves the complete folder into the target's place (one step).
    void PutInPlace();

    QString Given; // as the user named it, for messages
    QString Folder;
    QString Temporary;
    int Count = 0;
    TPartialOutput* Partial;
};
