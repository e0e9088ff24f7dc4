#include "rc4.h"

#include <array>
#include <utility>

namespace hakobee::mdbwriter {

void applyRc4(QByteArray& buffer, int offset, int length, const QByteArray& key)
{
    std::array<quint8, 256> state;
    for (int i = 0; i < 256; ++i)
        state[i] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + state[i] + quint8(key[i % key.size()])) & 0xFF;
        std::swap(state[i], state[j]);
    }
    int i = 0;
    int j = 0;
    for (int n = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + state[i]) & 0xFF;
        std::swap(state[i], state[j]);
        const quint8 keyByte = state[(state[i] + state[j]) & 0xFF];
        buffer[offset + n] = char(quint8(buffer[offset + n]) ^ keyByte);
    }
}

} // namespace hakobee::mdbwriter
