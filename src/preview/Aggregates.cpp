#include "preview/Aggregates.h"

AggregateState::AggregateState(AggregateCall call, int resetLevel)
    : m_call(std::move(call)), m_resetLevel(resetLevel)
{
    m_function = m_call.function;
    if (m_function == QLatin1String("average"))
        m_function = QStringLiteral("avg");
    else if (m_function == QLatin1String("minimum"))
        m_function = QStringLiteral("min");
    else if (m_function == QLatin1String("maximum"))
        m_function = QStringLiteral("max");
    if (m_function.endsWith(QLatin1Char('u'))) {
        m_unique = true;
        m_function.chop(1);
    }
    m_extremes = m_function != QLatin1String("count") && m_function != QLatin1String("any")
                 && m_function != QLatin1String("sum") && m_function != QLatin1String("avg");
}

void AggregateState::reset(const EvaluationContext &context)
{
    m_sum = 0;
    m_count = 0;
    m_integral = true;
    m_minimum = Value();
    m_maximum = Value();
    m_seen.clear();
    if (m_call.preset) {
        const Value preset = m_call.preset->evaluate(context);
        if (m_function == QLatin1String("count")) {
            m_count = qint64(preset.toNumber());
        } else {
            m_sum = preset.toNumber();
            m_integral = preset.integral;
            m_minimum = preset;
            m_maximum = preset;
        }
    }
}

void AggregateState::add(const EvaluationContext &context)
{
    const Value value = m_call.argument->evaluate(context);
    if (value.isNull())
        return;
    if (m_unique) {
        const QString key = value.toText().trimmed();
        if (m_seen.contains(key))
            return;
        m_seen.insert(key);
    }
    ++m_count;
    if (value.kind == Value::Number) {
        m_sum += value.number;
        m_integral = m_integral && value.integral;
    } else {
        m_sum += value.toNumber();
        m_integral = false;
    }
    // Sums and counts of every row compare nothing.
    if (!m_extremes)
        return;
    if (m_minimum.isNull() || compareValues(value, m_minimum) < 0)
        m_minimum = value;
    if (m_maximum.isNull() || compareValues(value, m_maximum) > 0)
        m_maximum = value;
}

Value AggregateState::value() const
{
    if (m_function == QLatin1String("count"))
        return Value::fromNumber(double(m_count), true);
    if (m_function == QLatin1String("any"))
        return Value::fromNumber(m_count > 0 ? 1 : 0, true);
    if (m_function == QLatin1String("sum"))
        return Value::fromNumber(m_sum, m_integral);
    if (m_function == QLatin1String("avg"))
        return m_count == 0 ? Value::fromNumber(0) : Value::fromNumber(m_sum / double(m_count));
    if (m_function == QLatin1String("min"))
        return m_minimum;
    return m_maximum;
}
