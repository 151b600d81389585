object SampleForm: TSampleForm
  object Panel1: TBox
    Items = <item Caption = 'x'#13 end>
    FrameSides = []
    OldKind = bkFancy
  end
end
