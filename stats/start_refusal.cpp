#include "stats/start_refusal.h"

namespace vertuno {

RefusalBox refusalBox(const StartRefusal& refusal) {
  const std::string money = "Автомат уже запущен на этих деньгах:\n" + refusal.totalsFile + "\n";
  std::string why;
  switch (refusal.holder) {
    case StartRefusal::Holder::Silent:
      why =
          "Их держит другая игра, которая не отвечает: игра для Windows, запущенная через Wine, "
          "или игра на другом компьютере, с которым общая эта папка.\n"
          "Закройте ту игру и запустите автомат снова.";
      break;
    case StartRefusal::Holder::AnotherUser:
      why = "На них играет пользователь " + refusal.holdingUser +
            ".\nЗакройте его автомат или запустите игру от своего имени, без sudo.";
      break;
    case StartRefusal::Holder::AnotherName:
      why =
          "Этот файл — жёсткая ссылка: у него есть другое имя в другой папке, и там на нём уже "
          "играет автомат.\nВернитесь к тому автомату или закройте его и запустите игру снова.";
      break;
    case StartRefusal::Holder::UnlockedFolder:
      why =
          "Эта папка не даёт запереть файл, и на нём уже играет другой автомат.\n"
          "Вернитесь к его окну или закройте его и запустите автомат снова.";
      break;
  }
  return {"Вертуно", money + why};
}

}  // namespace vertuno
