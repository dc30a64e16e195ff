// What zqconfig-file does with any input: read as a configuration file it
// can be shown, checked and exported, and what a load keeps comes back
// byte for byte through JSON; read as JSON, whatever import accepts is a
// file that comes back to itself.
#include "filereport.h"
#include "fuzzcheck.h"

#include <sanitizer/lsan_interface.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));

    const ConfigFileRead read = readConfigFile(bytes);
    showConfig(read, QStringLiteral("f"));
    diffConfigs(read, readConfigFile(configFileOf(ConfigModel())));
    bool fine = false;
    checkConfig(read, &fine);
    exportJson(read);
    if (read.frames.s && read.frames.g && read.frames.h && read.frames.i) {
        const QByteArray kept = configFileOf(read.afterLoad);
        QByteArray back;
        QString error;
        FUZZ_CHECK(importJson(exportJson(readConfigFile(kept)), back, error));
        FUZZ_CHECK(back == kept);
    }

    QByteArray imported;
    QString error;
    // Qt 5.15's JSON parser leaks the value of a repeated key when that
    // value is an array or object (its bug, not ours); keep it out of the
    // leak report.
    __lsan_disable();
    const bool accepted = importJson(bytes, imported, error);
    __lsan_enable();
    if (accepted) {
        QByteArray back;
        FUZZ_CHECK(importJson(exportJson(readConfigFile(imported)), back, error));
        FUZZ_CHECK(back == imported);
    } else {
        FUZZ_CHECK(!error.isEmpty() && !error.contains(QLatin1Char('\n')));
    }
    return 0;
}
