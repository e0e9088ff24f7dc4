#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace hakobee {

// The options of one subcommand, read the one way every subcommand reads
// them: "--name value" or "--name=value" for an option that takes a value
// (the last one given counts), "--name" for a switch, and "-h" or "--help"
// as the only option for the help. Anything else is a wrong command line,
// said in one sentence: an unknown option or a stray word, an option at the
// end without its value, an empty value.
class CommandOptions
{
public:
    enum class Reading
    {
        Read,
        Help,
        Wrong // problem() says why
    };

    // Declares an option that takes a value, or a switch, by its whole name
    // ("--rows").
    CommandOptions& withValue(const QString& name);
    CommandOptions& withSwitch(const QString& name);

    // Reads the words after the subcommand (argv[2] onwards).
    Reading read(int argc, char** argv);

    const QString& problem() const { return problem_; }
    bool isSet(const QString& name) const { return given_.contains(name); }
    // The option's value; empty when it was not given.
    QString value(const QString& name) const { return values_.value(name); }

private:
    Reading wrong(const QString& problem);

    QSet<QString> valueOptions_;
    QSet<QString> switches_;
    QSet<QString> given_;
    QHash<QString, QString> values_;
    QString problem_;
};

} // namespace hakobee
