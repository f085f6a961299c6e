// The starter program: uses Words.dll's classes and prints their texts as
// UTF-8. "/lang=DEU" on the command line chooses the German translation.
#include "Counter.h"
#include "Greeting.h"

#include "object/SmartPtr.h"

#include <iostream>

int main()
{
    const torv::SmartPtr<words::Greeting> greeting(new words::Greeting);
    std::cout << greeting->text().toUtf8() << '\n';

    const torv::SmartPtr<words::Counter> apples(new words::Counter(2));
    apples->add(1);
    std::cout << apples->describe().toUtf8() << '\n';

    std::cout << "IDS_GREETING = " << words::symbol(L"IDS_GREETING") << '\n';
    return 0;
}
