#include "VoPlayerClass.h"

#include "orlcodec.h"

#include <SDL.h>

VoPlayerClass::~VoPlayerClass()
{
    release();
}

bool VoPlayerClass::open(const QString &path, int audioStream)
{
    if (!m_handle)
        m_handle = Player_Create(-1);
    if (!m_handle)
        return false;
    Player_SetPreferredAudioStream(m_handle, audioStream);
    // The open closes the file before it; stopping first would only decode
    // a picture of a file about to go.
    return Player_Open(m_handle, path.toUtf8().constData(), 0, 0) == 1;
}

void VoPlayerClass::release()
{
    if (!m_handle)
        return;
    // Destroying closes, and a close cuts short a seek still decoding.
    Player_Destroy(m_handle);
    m_handle = 0;
}

bool VoPlayerClass::audioOutputFailed() const
{
    return m_handle && Player_AudioOutputFailed(m_handle) != 0;
}

QString VoPlayerClass::lastError() const
{
    const char *text = m_handle ? Engine_GetLastError(m_handle) : nullptr;
    return QString::fromUtf8(text ? text : "");
}

void VoPlayerClass::threadDone()
{
    SDL_TLSCleanup();
}
